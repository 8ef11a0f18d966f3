#include "platform/speech/speechd_reader.h"

#include <libspeechd.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <utility>

namespace velloxa {

struct SpeechdChannel {
    enum class Stage { connecting, open, absent, lost };
    explicit SpeechdChannel(int timeout) : timeout_ms(timeout) {}
    const int timeout_ms;
    std::mutex mutex;
    std::condition_variable changed;
    Stage stage = Stage::connecting;
    bool closing = false;
    bool set_up = false;  // the worker is past the library's connection set-up
    bool loss_reported = false;
    // What waits for the worker: at most a cancel and the newest text.
    bool cancel_waiting = false;
    std::optional<std::string> text_waiting;
    std::thread worker;
};

namespace {

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
        // pointer must be real: the library writes through it. Single mode:
        // no callbacks are wanted, and the threaded mode's reader thread
        // races with spd_close inside the library.
        c = spd_open2("velloxa", "main", nullptr, SPD_MODE_SINGLE, address, 0, &error);
        std::free(error);
    }
    SPDConnectionAddress__free(address);
    return c;
}

// Every read and write on the connection fails once the server has been
// silent for `timeout_ms`, which the library reports as a failed call.
void bound_answers(int socket, int timeout_ms) {
    timeval limit{};
    limit.tv_sec = timeout_ms / 1000;
    limit.tv_usec = (timeout_ms % 1000) * 1000;
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    ::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
}

void serve(const std::shared_ptr<SpeechdChannel>& channel) {
    using Stage = SpeechdChannel::Stage;
    SPDConnection* connection = connect_speechd();
    if (connection) bound_answers(connection->socket, channel->timeout_ms);
    std::unique_lock<std::mutex> lock(channel->mutex);
    channel->set_up = true;
    if (channel->stage == Stage::connecting && !channel->closing) {
        channel->stage = connection ? Stage::open : Stage::absent;
        channel->changed.notify_all();
    } else if (connection) {
        // The owner stopped waiting for this connection.
        lock.unlock();
        spd_close(connection);
        return;
    }
    while (connection) {
        channel->changed.wait(lock, [&] {
            return channel->closing || channel->cancel_waiting || channel->text_waiting;
        });
        // What was said last before the end still goes out.
        if (channel->closing && !channel->cancel_waiting && !channel->text_waiting) break;
        const bool cancel = std::exchange(channel->cancel_waiting, false);
        const std::optional<std::string> text = std::exchange(channel->text_waiting, std::nullopt);
        lock.unlock();
        bool answered = !cancel || spd_cancel(connection) >= 0;
        if (answered && text) answered = spd_say(connection, SPD_MESSAGE, text->c_str()) >= 0;
        lock.lock();
        if (!answered) {
            channel->stage = Stage::lost;
            break;
        }
    }
    lock.unlock();
    if (connection) spd_close(connection);
}

// Ends the channel's worker. One still stuck in the library's connection
// set-up (a server that never answered it) is left to finish on its own.
void retire(const std::shared_ptr<SpeechdChannel>& channel) {
    if (!channel) return;
    bool stuck = false;
    {
        std::lock_guard<std::mutex> lock(channel->mutex);
        channel->closing = true;
        stuck = !channel->set_up;
        channel->changed.notify_all();
    }
    if (stuck)
        channel->worker.detach();
    else
        channel->worker.join();
}

}  // namespace

SpeechdReader::SpeechdReader(Trace* trace, int timeout_ms)
    : trace_(trace), timeout_ms_(timeout_ms) {}

SpeechdReader::~SpeechdReader() {
    retire(channel_);
}

bool SpeechdReader::create() {
    using Stage = SpeechdChannel::Stage;
    if (channel_) {
        std::lock_guard<std::mutex> lock(channel_->mutex);
        if (channel_->stage == Stage::open) return true;
    }
    retire(channel_);
    // A server that drops the connection must not kill the program with
    // SIGPIPE on the next write; a failed write reports the loss instead.
    std::signal(SIGPIPE, SIG_IGN);
    channel_ = std::make_shared<SpeechdChannel>(timeout_ms_);
    channel_->worker = std::thread(serve, channel_);
    std::unique_lock<std::mutex> lock(channel_->mutex);
    if (!channel_->changed.wait_for(lock, std::chrono::milliseconds(timeout_ms_),
                                    [&] { return channel_->stage != Stage::connecting; })) {
        channel_->stage = Stage::absent;
        trace_line(trace_, "reader-timeout");
        return false;
    }
    const bool open = channel_->stage == Stage::open;
    trace_line(trace_, open ? "reader-open" : "reader-absent");
    return open;
}

void SpeechdReader::say(const std::string& text) {
    using Stage = SpeechdChannel::Stage;
    trace_line(trace_, "reader " + text);
    if (!channel_) throw std::runtime_error("no screen reader");
    std::lock_guard<std::mutex> lock(channel_->mutex);
    if (channel_->stage == Stage::lost && !channel_->loss_reported) {
        channel_->loss_reported = true;
        trace_line(trace_, "reader-lost");
        throw std::runtime_error("speech-dispatcher does not answer");
    }
    if (channel_->stage != Stage::open) throw std::runtime_error("no screen reader");
    if (text.empty()) {
        channel_->cancel_waiting = true;
        channel_->text_waiting.reset();
    } else {
        channel_->text_waiting = text;
    }
    channel_->changed.notify_all();
}

}  // namespace velloxa
