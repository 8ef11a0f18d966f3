#include "platform/data_folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/disk_files.h"

namespace velloxa {

DataFolderLock::DataFolderLock(const std::string& folder) {
    // The folder itself is locked: nothing extra is left in it.
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    int result;
    // mutate: folder-lock-shared
    while ((result = ::flock(fd_, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (result == 0) {
        remove_leftover_temporaries(folder + "/progress.ini");
        remove_leftover_temporaries(folder + "/progress.ini.bak");
        return;
    }
    held_elsewhere_ = errno == EWOULDBLOCK;
    ::close(fd_);
    fd_ = -1;
}

DataFolderLock::~DataFolderLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace velloxa
