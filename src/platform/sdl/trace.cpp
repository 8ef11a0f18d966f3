#include "platform/sdl/trace.h"

#include <chrono>
#include <cstdlib>

namespace velloxa {

std::unique_ptr<Trace> Trace::from_environment() {
    const char* path = std::getenv("VELLOXA_TRACE");
    if (!path || !*path) return nullptr;
    std::FILE* file = std::fopen(path, "a");
    if (!file) return nullptr;
    return std::make_unique<Trace>(file);
}

Trace::~Trace() {
    std::fclose(file_);
}

void Trace::line(const std::string& text) {
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count();
    std::lock_guard<std::mutex> lock(mutex_);
    std::fprintf(file_, "%lld %s\n", static_cast<long long>(us), text.c_str());
    std::fflush(file_);
}

}  // namespace velloxa
