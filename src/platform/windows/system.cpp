// The start-up helpers of frontends.h and windows_entry.h that the headless
// mode needs as well.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/windows/wide.h"
#include "platform/windows/win32.h"
#include "platform/windows/windows_entry.h"

namespace velloxa {

std::vector<std::string> windows_arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) args.push_back(narrow(wide[i]));
    LocalFree(wide);
    return args;
}

void windows_binary_streams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

uint64_t seconds_since_midnight() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return static_cast<uint64_t>(local.wHour * 3600 + local.wMinute * 60 + local.wSecond);
}

std::string executable_folder() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return ".";
        if (n < buffer.size()) {
            buffer.resize(n);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    const auto slash = buffer.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return ".";
    return narrow(buffer.substr(0, slash));
}

}  // namespace velloxa
