#include "platform/speech/speechd_reader.h"

#include <libspeechd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace velloxa {

namespace {

// One connection attempt, shared with the thread that makes it, which may
// outlive a caller that gave up waiting.
struct Attempt {
    std::mutex mutex;
    std::condition_variable done_cv;
    bool done = false;
    bool abandoned = false;
    SPDConnection* connection = nullptr;
};

// Whether anything listens on a local socket. Asked before the library
// tries, since its failed attempt leaks and no server is the common case.
bool listening(const char* path) {
    if (!path) return false;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (std::strlen(path) >= sizeof(addr.sun_path)) return true;  // let the library judge
    std::strcpy(addr.sun_path, path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return true;
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0;
    ::close(fd);
    return ok;
}

SPDConnection* connect_speechd() {
    char* error = nullptr;
    SPDConnectionAddress* address = spd_get_default_address(&error);
    std::free(error);
    error = nullptr;
    if (!address) return nullptr;
    SPDConnection* c = nullptr;
    if (address->method != SPD_METHOD_UNIX_SOCKET || listening(address->unix_socket_name)) {
        // Autospawn off: starting the server blocks, and the program must
        // start at once whether a screen reader runs or not. The error
        // pointer must be real: the library writes through it.
        c = spd_open2("velloxa", "main", nullptr, SPD_MODE_THREADED, address, 0, &error);
        std::free(error);
    }
    SPDConnectionAddress__free(address);
    return c;
}

}  // namespace

struct SpeechdReader::Link {
    SPDConnection* connection;
    ~Link() { spd_close(connection); }
};

SpeechdReader::SpeechdReader(Trace* trace, int timeout_ms)
    : trace_(trace), timeout_ms_(timeout_ms) {}

SpeechdReader::~SpeechdReader() = default;

bool SpeechdReader::create() {
    if (link_) return true;
    // A server that drops the connection must not kill the program with
    // SIGPIPE on the next write; a failed write reports the loss instead.
    std::signal(SIGPIPE, SIG_IGN);
    auto attempt = std::make_shared<Attempt>();
    std::thread([attempt] {
        SPDConnection* c = connect_speechd();
        std::lock_guard<std::mutex> lock(attempt->mutex);
        if (attempt->abandoned) {
            if (c) spd_close(c);
        } else {
            attempt->connection = c;
        }
        attempt->done = true;
        attempt->done_cv.notify_all();
    }).detach();
    std::unique_lock<std::mutex> lock(attempt->mutex);
    if (!attempt->done_cv.wait_for(lock, std::chrono::milliseconds(timeout_ms_),
                                   [&] { return attempt->done; })) {
        attempt->abandoned = true;
        trace_line(trace_, "reader-timeout");
        return false;
    }
    if (attempt->connection) link_.reset(new Link{attempt->connection});
    trace_line(trace_, link_ ? "reader-open" : "reader-absent");
    return link_ != nullptr;
}

void SpeechdReader::say(const std::string& text) {
    trace_line(trace_, "reader " + text);
    if (!link_) throw std::runtime_error("no screen reader");
    SPDConnection* c = link_->connection;
    const int result = text.empty() ? spd_cancel(c) : spd_say(c, SPD_MESSAGE, text.c_str());
    if (result < 0) throw std::runtime_error("speech-dispatcher does not answer");
}

}  // namespace velloxa
