// A trace of the Windows program's outward effects for the checks under
// Wine: VELLOXA_TRACE=path appends one line per effect,
// "<microseconds since the epoch> <what>", as the Linux window writes it.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace velloxa {

class WinTrace {
  public:
    // A trace when VELLOXA_TRACE names a file that can be opened, else null.
    static std::unique_ptr<WinTrace> from_environment();
    explicit WinTrace(std::FILE* file) : file_(file) {}
    ~WinTrace() { std::fclose(file_); }
    WinTrace(const WinTrace&) = delete;
    WinTrace& operator=(const WinTrace&) = delete;
    void line(const std::string& text);

  private:
    std::FILE* file_;
};

inline void trace_line(WinTrace* trace, const std::string& text) {
    if (trace) trace->line(text);
}

}  // namespace velloxa
