// The start-up helpers of frontends.h and windows_entry.h that the headless
// mode needs as well.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/folders.h"
#include "platform/shipped_language.h"
#include "platform/windows/wide.h"
#include "platform/windows/win32.h"
#include "platform/windows/windows_entry.h"
#include "platform/windows/windows_files.h"

// Needs the Windows header above.
#include <shlobj.h>

namespace velloxa {

namespace {

bool can_write(const std::string& folder) {
    const std::wstring probe =
        widen(folder) + L"\\.velloxa-write-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// A copy from the zip keeps everything in its own folder, unless that
// cannot be written (a copy in Program Files). An installed copy (its
// installer leaves installed-copy.txt beside it) and such a copy keep the
// player's files in %APPDATA%\Velloxa.
Folders windows_folders(const std::string& home, const std::string& program) {
    if (!home.empty()) return Folders{home, home};
    const DWORD marker = GetFileAttributesW((widen(program) + L"\\installed-copy.txt").c_str());
    const bool installed = marker != INVALID_FILE_ATTRIBUTES;
    if (!installed && can_write(program)) return Folders{program, program};
    wchar_t appdata[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appdata)))
        return Folders{program, program};
    const std::wstring data = std::wstring(appdata) + L"\\Velloxa";
    if (!CreateDirectoryW(data.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return Folders{program, program};
    return Folders{program, narrow(data)};
}

}  // namespace

// The one choice of folders, as every front-end and headless mode make it.
Folders choose_folders(const CommandLine& cmd) {
    const Folders folders = windows_folders(cmd.home, executable_folder());
    // --home and the headless runs are the player's own: nothing is removed there.
    if (cmd.home.empty() && cmd.headless.empty()) {
        WindowsFiles files;
        const std::string copy = folders.data + "\\language.txt";
        if (is_unchanged_edition(files, copy, ShippedFor::windows_system))
            DeleteFileW(widen(copy).c_str());
    }
    return folders;
}

std::string program_folder() {
    return executable_folder();
}

std::string system_language_code() {
    // The user's interface language, as "pt-BR".
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const LCID id = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (LCIDToLocaleName(id, name, LOCALE_NAME_MAX_LENGTH, 0) == 0) return {};
    return narrow(name);
}

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
