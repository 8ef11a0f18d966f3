// A speech-dispatcher on a local socket that speaks enough of its protocol
// for the reader, keeps every line it was sent, and can misbehave the ways
// a real server does when it hangs or dies.
#pragma once

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

namespace velloxa::testing {

class FakeSpeechd {
  public:
    enum class Manner {
        answers,          // every command in time
        silent,           // not even the connection set-up
        holds_speech,     // set-up answered; each text's answer waits for release()
        closes_mid_text,  // the connection is dropped inside the first text
        slow,             // each text's answer after `delay`
    };

    FakeSpeechd(const std::string& path, Manner manner,
                std::chrono::milliseconds delay = std::chrono::milliseconds(0))
        : manner_(manner), delay_(delay) {
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        path.copy(addr.sun_path, sizeof(addr.sun_path) - 1);
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
            ::listen(fd_, 4) != 0)
            throw std::runtime_error("cannot listen on " + path);
        thread_ = std::thread([this] {
            for (int c; (c = ::accept(fd_, nullptr, nullptr)) >= 0; ::close(c)) {
                client_ = c;
                talk(c);
                client_ = -1;
            }
        });
    }
    ~FakeSpeechd() {
        stop();
        ::close(fd_);
    }
    FakeSpeechd(const FakeSpeechd&) = delete;
    FakeSpeechd& operator=(const FakeSpeechd&) = delete;

    // Drops the connection, as a server that has gone away.
    void stop() {
        release();
        ::shutdown(fd_, SHUT_RDWR);
        ::shutdown(client_, SHUT_RDWR);
        if (thread_.joinable()) thread_.join();
    }
    // Lets the held answers go, and every later one at once.
    void release() {
        std::lock_guard<std::mutex> lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }
    // Every line received, commands in capitals, the lines of texts marked.
    std::string log() {
        std::lock_guard<std::mutex> lock(mutex_);
        return log_;
    }
    // Texts whose answer has been sent.
    int answered_texts() {
        std::lock_guard<std::mutex> lock(mutex_);
        return answered_texts_;
    }

  private:
    void talk(int c) {
        std::string buffer;
        bool data = false;
        char chunk[512];
        for (ssize_t n; (n = ::read(c, chunk, sizeof chunk)) > 0;) {
            buffer.append(chunk, static_cast<size_t>(n));
            for (size_t end;
                 manner_ != Manner::silent && (end = buffer.find("\r\n")) != std::string::npos;) {
                std::string line = buffer.substr(0, end);
                buffer.erase(0, end + 2);
                // Commands are not case-sensitive; a text's lines end with ".".
                if (!data) std::transform(line.begin(), line.end(), line.begin(), ::toupper);
                std::unique_lock<std::mutex> lock(mutex_);
                log_ += (data ? "text " : "") + line + "\n";
                if (data && manner_ == Manner::closes_mid_text) {
                    ::shutdown(c, SHUT_RDWR);
                    return;
                }
                const bool text_end = data && line == ".";
                if (text_end && manner_ == Manner::holds_speech)
                    changed_.wait(lock, [this] { return released_; });
                if (text_end && manner_ == Manner::slow) {
                    lock.unlock();
                    std::this_thread::sleep_for(delay_);
                    lock.lock();
                }
                const char* answer = data ? (text_end ? "225-1\r\n225 OK MESSAGE QUEUED" : "")
                                     : line == "SPEAK" ? "230 OK RECEIVING DATA"
                                     : line == "QUIT"  ? "231 HAPPY HACKING"
                                     : line.starts_with("HISTORY GET CLIENT_ID")
                                         ? "240-1\r\n240 OK CLIENT ID SENT"
                                         : "200 OK";
                data = data ? line != "." : line == "SPEAK";
                if (*answer)
                    // A client that has gone must not end the test with SIGPIPE.
                    (void)!::send(c, (answer + std::string("\r\n")).data(), std::strlen(answer) + 2,
                                  MSG_NOSIGNAL);
                if (text_end) ++answered_texts_;
            }
        }
    }

    const Manner manner_;
    const std::chrono::milliseconds delay_;
    int fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::atomic<int> client_{-1};
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool released_ = false;
    int answered_texts_ = 0;
    std::string log_;
};

}  // namespace velloxa::testing
