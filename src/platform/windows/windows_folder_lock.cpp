// The data folder's lock on Windows: an exclusive byte-range lock on
// velloxa.lock inside the folder. One folder has many spellings (case,
// short names, junctions); the lock is on the file itself, so every
// spelling meets it. Windows drops it when the process ends, however, and
// the file goes with the last handle on it, so none is left behind.
#include <io.h>

#include "platform/data_folder_lock.h"
#include "platform/disk_files.h"
#include "platform/windows/wide.h"
#include "platform/windows/win32.h"

namespace velloxa {

DataFolderLock::DataFolderLock(const std::string& folder) {
    const HANDLE file =
        CreateFileW(widen(folder + "\\velloxa.lock").c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;  // no folder, or a read-only one
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
        held_elsewhere_ = GetLastError() == ERROR_LOCK_VIOLATION;
        CloseHandle(file);
        return;
    }
    fd_ = _open_osfhandle(reinterpret_cast<intptr_t>(file), 0);
    if (fd_ < 0) CloseHandle(file);
    remove_leftover_temporaries(folder + "\\progress.ini");
}

DataFolderLock::~DataFolderLock() {
    if (fd_ >= 0) _close(fd_);
}

}  // namespace velloxa
