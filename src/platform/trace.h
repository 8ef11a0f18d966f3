// A timing trace of the desktop program's outward effects, for the
// end-to-end checks and the measurements: VELLOXA_TRACE=path appends one line
// per effect, "<microseconds since the epoch> <what>".
#pragma once

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/spsc_ring.h"

namespace velloxa {

class Trace {
  public:
    // A record() without a number.
    static constexpr int kNoNumber = -1;

    // A trace when VELLOXA_TRACE names a file that can be opened, else null.
    static std::unique_ptr<Trace> from_environment();
    explicit Trace(std::FILE* file);
    ~Trace();
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;
    // Safe from any thread but the audio thread.
    void line(const std::string& text);
    // For the audio thread alone: no lock, no allocation, no file. `what`
    // must live for the whole run (a literal); a number other than
    // kNoNumber follows it. Written out by another thread, with the time of
    // this call; records that find the ring full are dropped.
    void record(const char* what, int number = kNoNumber) noexcept;

  private:
    struct Record {
        int64_t us = 0;
        const char* what = nullptr;
        int number = kNoNumber;
    };
    static constexpr size_t kRecords = 1024;
    void write_records();

    std::mutex mutex_;
    std::FILE* file_;
    SpscRing<Record, kRecords> records_;
    std::condition_variable stop_cv_;
    bool stopping_ = false;
    std::thread writer_;  // last: started once the rest is ready
};

// Writes to `trace` when there is one.
inline void trace_line(Trace* trace, const std::string& text) {
    if (trace) trace->line(text);
}

}  // namespace velloxa
