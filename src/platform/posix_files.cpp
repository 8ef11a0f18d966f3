#include "platform/posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/fdio.h"

namespace velloxa {

namespace {

[[noreturn]] void fail() {
    throw std::runtime_error(std::strerror(errno));
}

// What mkstemp() makes of the temporary name's last part.
constexpr const char* kTemporaryMark = ".tmp-";
constexpr const char* kTemporaryPattern = "XXXXXX";
// The limit the system itself puts on a chain of links.
constexpr int kMostLinks = 40;
// A new file is readable by everyone and writable by its owner.
constexpr mode_t kNewFileMode = 0644;
constexpr mode_t kPermissionBits = 07777;

std::string folder_of(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

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

void remove_leftover_temporaries(const std::string& path) {
    std::string target;
    try {
        target = link_target(path);
    } catch (const std::runtime_error&) {
        return;
    }
    const std::string folder = folder_of(target);
    const std::string prefix = name_of(target) + kTemporaryMark;
    const size_t length = prefix.size() + std::strlen(kTemporaryPattern);
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

bool PosixFiles::exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::string> PosixFiles::read(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
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

bool PosixFiles::append_line(const std::string& path, const std::string& line) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const std::string text = line + "\n";
    const bool ok = writeall(fd, text.data(), text.size());
    return ::close(fd) == 0 && ok;
}

void PosixFiles::replace(const std::string& path, const std::string& data) {
    PendingSave save = begin_save(path, data);
    finish_save(save);
}

PendingSave begin_save(const std::string& path, const std::string& data) {
    PendingSave save;
    save.target = link_target(path);
    struct stat old {};
    const mode_t mode =
        ::stat(save.target.c_str(), &old) == 0 ? (old.st_mode & kPermissionBits) : kNewFileMode;
    const std::string pattern = save.target + kTemporaryMark + kTemporaryPattern;
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    save.fd = ::mkstemp(name.data());
    if (save.fd < 0) fail();
    save.temporary = name.data();
    if (!writeall(save.fd, data.data(), data.size()) || ::fchmod(save.fd, mode) != 0) {
        const int saved = errno;
        abandon_save(save);
        errno = saved;
        fail();
    }
    return save;
}

void finish_save(PendingSave& save) {
    const int fd = std::exchange(save.fd, -1);
    int failure = ::fsync(fd) == 0 ? 0 : errno;
    if (::close(fd) != 0 && failure == 0) failure = errno;
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
