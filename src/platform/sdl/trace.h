// A timing trace of the desktop program's outward effects, for the
// end-to-end checks and the measurements: VELLOXA_TRACE=path appends one line
// per effect, "<microseconds since the epoch> <what>".
#pragma once

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

namespace velloxa {

class Trace {
  public:
    // A trace when VELLOXA_TRACE names a file that can be opened, else null.
    static std::unique_ptr<Trace> from_environment();
    explicit Trace(std::FILE* file) : file_(file) {}
    ~Trace();
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;
    // Safe from any thread, the audio thread included.
    void line(const std::string& text);

  private:
    std::mutex mutex_;
    std::FILE* file_;
};

// Writes to `trace` when there is one.
inline void trace_line(Trace* trace, const std::string& text) {
    if (trace) trace->line(text);
}

}  // namespace velloxa
