// Loaded with LD_PRELOAD by tests/scripts/last_saves.sh: makes the sync of a
// save's temporary file (a name holding ".tmp-") slow, as on a busy disk.
// Each such sync first appends a line to $VELLOXA_FSYNC_LOG. With
// VELLOXA_FSYNC=hang the sync never returns; with VELLOXA_FSYNC=fail it
// fails with EIO; otherwise it takes 400 ms more than it would.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

bool is_save(int fd) {
    char link[4096];
    const std::string proc = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(proc.c_str(), link, sizeof link - 1);
    if (n <= 0) return false;
    link[n] = '\0';
    return std::strstr(link, ".tmp-") != nullptr;
}

void log_line(int fd) {
    const char* log = std::getenv("VELLOXA_FSYNC_LOG");
    if (log == nullptr) return;
    const int out = ::open(log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (out < 0) return;
    const std::string line = "fsync " + std::to_string(fd) + "\n";
    (void)!::write(out, line.data(), line.size());
    ::close(out);
}

void sleep_ms(long ms) {
    timespec left{ms / 1000, (ms % 1000) * 1000000};
    while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

}  // namespace

extern "C" int fsync(int fd) {
    using Fsync = int (*)(int);
    static const auto real = reinterpret_cast<Fsync>(::dlsym(RTLD_NEXT, "fsync"));
    if (is_save(fd)) {
        log_line(fd);
        const char* how = std::getenv("VELLOXA_FSYNC");
        const std::string mode = how != nullptr ? how : "";
        if (mode == "hang")
            for (;;) sleep_ms(1000000);
        if (mode == "fail") {
            errno = EIO;
            return -1;
        }
        sleep_ms(400);
    }
    return real(fd);
}
