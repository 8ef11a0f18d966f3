#include "platform/posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "platform/fdio.h"

namespace velloxa {

namespace {

[[noreturn]] void fail() {
    throw std::runtime_error(std::strerror(errno));
}

}  // namespace

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
    std::string tmp = path + ".tmp-XXXXXX";
    std::vector<char> name(tmp.begin(), tmp.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) fail();
    auto abandon = [&] {
        const int saved = errno;
        ::close(fd);
        ::unlink(name.data());
        errno = saved;
        fail();
    };
    if (!writeall(fd, data.data(), data.size())) abandon();
    if (::fchmod(fd, 0644) != 0) abandon();
    if (::fsync(fd) != 0) abandon();
    if (::close(fd) != 0) {
        const int saved = errno;
        ::unlink(name.data());
        errno = saved;
        fail();
    }
    if (::rename(name.data(), path.c_str()) != 0) {
        const int saved = errno;
        ::unlink(name.data());
        errno = saved;
        fail();
    }
}

}  // namespace velloxa
