#include "platform/windows/windows_files.h"

#include <io.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "platform/disk_files.h"
#include "platform/windows/wide.h"
#include "platform/windows/win32.h"

namespace velloxa {

namespace {

// Closes a file handle when it goes out of scope.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() {
        if (!valid()) return true;
        const bool ok = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE handle_;
};

bool write_all(HANDLE file, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, data.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

[[noreturn]] void fail(DWORD code) {
    throw std::runtime_error(system_error_text(code));
}

// Beside the file it replaces: "progress.ini.tmp-<process>-<time>-<try>".
constexpr const wchar_t* kTemporaryMark = L".tmp-";

}  // namespace

bool WindowsFiles::exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> WindowsFiles::read(const std::string& path) {
    FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK) return std::nullopt;
    std::string out;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &n, nullptr))
            return std::nullopt;
        if (n == 0) break;
        out.append(buffer.data(), n);
    }
    return out;
}

bool WindowsFiles::append_line(const std::string& path, const std::string& line) {
    FileHandle file(CreateFileW(widen(path).c_str(), FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    const bool ok = write_all(file.get(), line + "\n");
    return file.close() && ok;
}

void WindowsFiles::replace(const std::string& path, const std::string& data) {
    PendingSave save = begin_save(path, data);
    finish_save(save);
}

// The background writer's file store (background_saves.h) is the same on
// Windows: these files, with the slow part of a save on its worker.
bool DiskFiles::exists(const std::string& path) {
    return WindowsFiles().exists(path);
}

std::optional<std::string> DiskFiles::read(const std::string& path) {
    return WindowsFiles().read(path);
}

bool DiskFiles::append_line(const std::string& path, const std::string& line) {
    return WindowsFiles().append_line(path, line);
}

void DiskFiles::replace(const std::string& path, const std::string& data) {
    WindowsFiles().replace(path, data);
}

PendingSave begin_save(const std::string& path, const std::string& data) {
    const std::wstring target = widen(path);
    std::wstring temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    // A name no other writer uses: the process, the time and a counter.
    for (unsigned attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = target + kTemporaryMark + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(GetTickCount64() % 1000000) + L"-" + std::to_wstring(attempt);
        created = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (created == INVALID_HANDLE_VALUE) fail(GetLastError());
    PendingSave save;
    save.target = path;
    save.temporary = narrow(temporary);
    save.fd = _open_osfhandle(reinterpret_cast<intptr_t>(created), 0);
    if (save.fd < 0) {
        CloseHandle(created);
        DeleteFileW(temporary.c_str());
        fail(ERROR_TOO_MANY_OPEN_FILES);
    }
    if (!write_all(created, data)) {
        const DWORD code = GetLastError();
        abandon_save(save);
        fail(code);
    }
    return save;
}

void finish_save(PendingSave& save) {
    const HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(save.fd));
    if (!FlushFileBuffers(file)) {
        const DWORD code = GetLastError();
        abandon_save(save);
        fail(code);
    }
    const int closed = _close(save.fd);
    save.fd = -1;
    if (closed != 0) {
        abandon_save(save);
        fail(ERROR_WRITE_FAULT);
    }
    const std::wstring temporary = widen(save.temporary);
    const std::wstring target = widen(save.target);
    if (!MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD code = GetLastError();
        abandon_save(save);
        const DWORD attributes = GetFileAttributesW(target.c_str());
        // Named as the Linux build names it, so both write the same log.
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            throw std::runtime_error("Is a directory");
        fail(code);
    }
    save.temporary.clear();
}

void abandon_save(PendingSave& save) {
    if (save.fd >= 0) _close(save.fd);
    save.fd = -1;
    if (!save.temporary.empty()) DeleteFileW(widen(save.temporary).c_str());
    save.temporary.clear();
}

void remove_leftover_temporaries(const std::string& path) {
    const std::wstring target = widen(path);
    const std::wstring folder = target.substr(0, target.find_last_of(L"\\/") + 1);
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((target + kTemporaryMark + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
            DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// The folder part of a path, as the messages about a failed save name it;
// either slash separates.
std::string folder_of(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos) return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

}  // namespace velloxa
