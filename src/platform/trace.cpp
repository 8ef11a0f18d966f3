#include "platform/trace.h"

#include <chrono>
#include <cstdlib>

namespace velloxa {

namespace {

// How often records from the audio thread are written out. Their times are
// taken when they happen, so this only delays the line.
constexpr std::chrono::milliseconds kRecordFlush{5};

int64_t epoch_us() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace

std::unique_ptr<Trace> Trace::from_environment() {
    const char* path = std::getenv("VELLOXA_TRACE");
    if (!path || !*path) return nullptr;
    std::FILE* file = std::fopen(path, "ae");
    if (!file) return nullptr;
    return std::make_unique<Trace>(file);
}

Trace::Trace(std::FILE* file) : file_(file), writer_([this] { write_records(); }) {}

Trace::~Trace() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        stop_cv_.notify_all();
    }
    writer_.join();
    std::fclose(file_);
}

void Trace::line(const std::string& text) {
    const int64_t us = epoch_us();
    std::lock_guard<std::mutex> lock(mutex_);
    std::fprintf(file_, "%lld %s\n", static_cast<long long>(us), text.c_str());
    std::fflush(file_);
}

void Trace::record(const char* what, int number) noexcept {
    const Record r{epoch_us(), what, number};
    records_.push(&r, 1);
}

void Trace::write_records() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (bool last = false; !last;) {
        last = stop_cv_.wait_for(lock, kRecordFlush, [this] { return stopping_; });
        Record r;
        bool wrote = false;
        while (records_.pop(&r, 1) == 1) {
            std::fprintf(file_, "%lld %s", static_cast<long long>(r.us), r.what);
            if (r.number != kNoNumber) std::fprintf(file_, " %d", r.number);
            std::fputc('\n', file_);
            wrote = true;
        }
        if (wrote) std::fflush(file_);
    }
}

}  // namespace velloxa
