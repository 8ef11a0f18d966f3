#include "platform/disk_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/backup_name.h"
#include "platform/posix/fdio.h"

namespace velloxa {

namespace {

[[noreturn]] void fail() {
    throw std::runtime_error(std::strerror(errno));
}

// A temporary file is named after its target, this mark and six letters
// or digits.
constexpr const char* kTemporaryMark = ".tmp-";
constexpr size_t kTemporaryLetters = 6;
constexpr int kTemporaryTries = 100;
// The limit the system itself puts on a chain of links.
constexpr int kMostLinks = 40;
// What a new file may be before the umask takes its part.
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kPermissionBits = 07777;

std::string name_of(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A rename is only durable once the folder that holds it is. Some file
// systems cannot sync a folder; the save itself has succeeded by then.
void sync_folder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Creates the temporary file beside `target` with the mode the umask leaves
// (mkstemp() would make it private), never through a link, and names it in
// `name`. The six letters come from the process and the clock; a name taken
// already is passed over.
int create_temporary(const std::string& target, std::string& name) {
    static constexpr char letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr uint64_t count = sizeof letters - 1;
    uint64_t seed =
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (static_cast<uint64_t>(::getpid()) << 32);
    for (int attempt = 0; attempt < kTemporaryTries; ++attempt) {
        name = target + kTemporaryMark;
        uint64_t v = seed;
        for (size_t i = 0; i < kTemporaryLetters; ++i, v /= count) name += letters[v % count];
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              kNewFileMode);
        if (fd >= 0 || errno != EEXIST) return fd;
        seed = seed * 6364136223846793005u + 1442695040888963407u;
    }
    return -1;
}

// Opens `path` to append, refusing anything but a regular file; a symbolic
// link is answered by ELOOP.
int open_to_append(const std::string& path) {
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
               kNewFileMode);
    if (fd < 0) return fd;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// The mode a save of `target` keeps: that of `model`; nothing when there is
// no such file (a new file keeps what the umask left).
std::optional<mode_t> kept_mode(const std::string& model) {
    struct stat st {};
    if (::stat(model.c_str(), &st) != 0) return std::nullopt;
    return st.st_mode & kPermissionBits;
}

}  // namespace

std::string link_target(const std::string& path) {
    std::string target = path;
    for (int hop = 0; hop < kMostLinks; ++hop) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
        std::vector<char> link(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1);
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0) fail();
        if (static_cast<size_t>(n) >= link.size()) {
            errno = ENAMETOOLONG;  // the link changed under us
            fail();
        }
        const std::string next(link.data(), static_cast<size_t>(n));
        target = next.starts_with('/') ? next : folder_of(target) + "/" + next;
    }
    errno = ELOOP;
    fail();
}

std::string folder_of(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string replaced_file(const std::string& path) {
    return is_backup(path) ? path : link_target(path);
}

void remove_leftover_temporaries(const std::string& path) {
    std::string target;
    try {
        target = replaced_file(path);
    } catch (const std::runtime_error&) {
        return;
    }
    const std::string folder = folder_of(target);
    const std::string prefix = name_of(target) + kTemporaryMark;
    const size_t length = prefix.size() + kTemporaryLetters;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != length || !name.starts_with(prefix)) continue;
        const std::string full = folder + "/" + name;
        struct stat st {};
        if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(full.c_str());
    }
    ::closedir(dir);
}

bool DiskFiles::exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::string> DiskFiles::read(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string out;
    std::vector<char> buf(1 << 16);
    for (;;) {
        const ssize_t n = ::read(fd, buf.data(), buf.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        out.append(buf.data(), static_cast<size_t>(n));
    }
    ::close(fd);
    return out;
}

bool DiskFiles::append_line(const std::string& path, const std::string& line) {
    int fd = open_to_append(path);
    // A link planted in a shared folder must not lead the log elsewhere: it
    // is replaced by a file of our own, created only if nothing took its place.
    struct stat st {};
    if (fd < 0 && errno == ELOOP && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) &&
        ::unlink(path.c_str()) == 0)
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_NOFOLLOW | O_CLOEXEC,
                    kNewFileMode);
    if (fd < 0) return false;
    const std::string text = line + "\n";
    const bool ok = write_all(fd, text.data(), text.size());
    return ::close(fd) == 0 && ok;
}

void DiskFiles::replace(const std::string& path, const std::string& data) {
    PendingSave save = begin_save(path, data);
    finish_save(save);
}

PendingSave begin_save(const std::string& path, const std::string& data) {
    PendingSave save;
    save.target = replaced_file(path);
    std::optional<mode_t> mode;
    try {
        mode = kept_mode(is_backup(path) ? link_target(backed_up_file(path)) : save.target);
    } catch (const std::runtime_error&) {
        // A loop of links at the backed-up name: the backup is a new file.
    }
    save.fd = create_temporary(save.target, save.temporary);
    if (save.fd < 0) {
        save.temporary.clear();
        fail();
    }
    if (!write_all(save.fd, data.data(), data.size()) || (mode && ::fchmod(save.fd, *mode) != 0)) {
        const int saved = errno;
        abandon_save(save);
        errno = saved;
        fail();
    }
    return save;
}

void finish_save(PendingSave& save) {
    const int fd = std::exchange(save.fd, -1);
    int failure = ::fsync(fd) == 0 ? 0 : errno;  // mutate: save-renamed-unsynced
    if (::close(fd) != 0 && failure == 0) failure = errno;
    // mutate: posix-rename-failure-ignored
    if (failure == 0 && ::rename(save.temporary.c_str(), save.target.c_str()) != 0) failure = errno;
    if (failure != 0) {
        abandon_save(save);
        errno = failure;
        fail();
    }
    save.temporary.clear();
    sync_folder(folder_of(save.target));
}

void abandon_save(PendingSave& save) {
    if (save.fd >= 0) ::close(std::exchange(save.fd, -1));
    if (!save.temporary.empty()) ::unlink(save.temporary.c_str());
    save.temporary.clear();
}

}  // namespace velloxa
