#include "platform/windows/trace.h"

#include <chrono>
#include <cstdlib>

namespace velloxa {

std::unique_ptr<WinTrace> WinTrace::from_environment() {
    const wchar_t* path = _wgetenv(L"VELLOXA_TRACE");
    if (!path || !*path) return nullptr;
    std::FILE* file = _wfopen(path, L"ab");
    if (!file) return nullptr;
    return std::make_unique<WinTrace>(file);
}

void WinTrace::line(const std::string& text) {
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count();
    std::fprintf(file_, "%lld %s\n", static_cast<long long>(us), text.c_str());
    std::fflush(file_);
}

}  // namespace velloxa
