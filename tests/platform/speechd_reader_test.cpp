#include "platform/speech/speechd_reader.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

#include "support/harness.h"

namespace velloxa {
namespace {

// A speech-dispatcher on a local socket that answers enough of its protocol
// for the reader and logs every line it gets: commands in capitals, the lines
// of a text marked "text". A silent one never answers, not even the set-up;
// one that holds keeps each text's answer until release(); one that drops
// closes the connection inside the first text.
class FakeSpeechd {
  public:
    enum Manner { silent, holds, drops };

    FakeSpeechd(const std::string& path, Manner manner) : manner_(manner) {
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        path.copy(addr.sun_path, sizeof(addr.sun_path) - 1);
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
            ::listen(fd_, 4) != 0)
            throw std::runtime_error("cannot listen on " + path);
        thread_ = std::thread([this] {
            for (int c; (c = ::accept(fd_, nullptr, nullptr)) >= 0; ::close(client_.exchange(-1)))
                talk(client_ = c);
        });
    }
    ~FakeSpeechd() {
        release();
        ::shutdown(fd_, SHUT_RDWR);
        ::shutdown(client_, SHUT_RDWR);
        thread_.join();
        ::close(fd_);
    }
    void release() {
        std::lock_guard<std::mutex> lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }
    bool logged(const std::string& lines) { return log().find(lines) != std::string::npos; }
    std::string log() {
        std::lock_guard<std::mutex> lock(mutex_);
        return log_;
    }

  private:
    void talk(int c) {
        std::string buffer;
        bool text = false;  // inside a text, whose last line is "."
        char chunk[512];
        for (ssize_t n; (n = ::read(c, chunk, sizeof chunk)) > 0;) {
            buffer.append(chunk, static_cast<size_t>(n));
            for (size_t end;
                 manner_ != silent && (end = buffer.find("\r\n")) != std::string::npos;) {
                std::string line = buffer.substr(0, end);
                buffer.erase(0, end + 2);
                if (!text) std::transform(line.begin(), line.end(), line.begin(), ::toupper);
                std::unique_lock<std::mutex> lock(mutex_);
                log_ += (text ? "text " : "") + line + "\n";
                if (text && manner_ == drops) {
                    ::shutdown(c, SHUT_RDWR);
                    return;
                }
                const bool text_end = text && line == ".";
                if (text_end && manner_ == holds) changed_.wait(lock, [this] { return released_; });
                const char* answer = text ? (text_end ? "225-1\r\n225 OK MESSAGE QUEUED" : nullptr)
                                     : line == "SPEAK" ? "230 OK RECEIVING DATA"
                                     : line.starts_with("HISTORY GET CLIENT_ID")
                                         ? "240-1\r\n240 OK CLIENT ID SENT"
                                         : "200 OK";
                text = text ? !text_end : line == "SPEAK";
                // A client that has gone must not end the test with SIGPIPE.
                if (answer)
                    (void)!::send(c, (answer + std::string("\r\n")).data(), std::strlen(answer) + 2,
                                  MSG_NOSIGNAL);
            }
        }
    }

    const Manner manner_;
    int fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::atomic<int> client_{-1};
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool released_ = false;
    std::string log_;
};

// Polls for what the server and the reader's worker do; the limit is a hang guard.
bool waituntil(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// The message of what `say` throws; empty when it does not throw.
std::string refusal(SpeechdReader& reader, const std::string& text) {
    try {
        reader.say(text);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

struct DesktopReader : ::testing::Test {
    void SetUp() override { ::setenv("SPEECHD_ADDRESS", ("unix_socket:" + socket).c_str(), 1); }
    void TearDown() override { ::unsetenv("SPEECHD_ADDRESS"); }
    testing::TempDir dir;
    std::string socket = dir.path() + "/speechd.sock";
};

TEST_F(DesktopReader, NoServerOrOneThatNeverAnswersMeansNoScreenReader) {
    SpeechdReader absent;
    EXPECT_FALSE(absent.create());
    EXPECT_EQ(refusal(absent, "hello"), "no screen reader");
    // Without the time limit the probe would wait here for good.
    FakeSpeechd server(socket, FakeSpeechd::silent);
    SpeechdReader silent(nullptr, 300);
    EXPECT_FALSE(silent.create());
    EXPECT_EQ(refusal(silent, "hello"), "no screen reader");
}

// `say` returns while the server sits on an answer; only the newest text
// waits, and the silence key drops the one waiting and cancels the speech.
TEST_F(DesktopReader, SayNeverWaitsForTheServerAndOnlyTheNewestTextWaits) {
    SpeechdReader reader(nullptr, 20000);  // outlives the server: its end frees the worker
    FakeSpeechd server(socket, FakeSpeechd::holds);
    ASSERT_TRUE(reader.create());
    reader.say("first");
    ASSERT_TRUE(waituntil([&] { return server.logged("text first\n"); }));
    for (const char* text : {"second", "", "third", "fourth"}) EXPECT_EQ(refusal(reader, text), "");
    server.release();
    ASSERT_TRUE(waituntil([&] { return server.logged("text fourth\ntext .\n"); }));
    const std::string log = server.log();
    EXPECT_FALSE(server.logged("second") || server.logged("third")) << log;
    EXPECT_LT(log.find("CANCEL SELF\n"), log.find("text fourth\n")) << log;
}

// A server that lets the time limit pass, or drops the connection, is
// reported once and then treated as no screen reader.
TEST_F(DesktopReader, AHungOrLostServerIsGivenUp) {
    for (const FakeSpeechd::Manner manner : {FakeSpeechd::holds, FakeSpeechd::drops}) {
        SCOPED_TRACE(manner == FakeSpeechd::holds ? "hung" : "lost");
        // The limit also bounds the set-up, which must succeed on a busy
        // machine: only the held text is to outlast it.
        SpeechdReader reader(nullptr, 5000);
        FakeSpeechd server(socket, manner);
        ASSERT_TRUE(reader.create());
        ::unlink(socket.c_str());  // for the next server
        // Only the first text is sure to be taken: under load the worker may
        // give up before any later one arrives.
        EXPECT_EQ(refusal(reader, "Tab"), "");
        std::string first;
        ASSERT_TRUE(waituntil([&] { return !(first = refusal(reader, "anyone?")).empty(); }));
        EXPECT_EQ(first, "speech-dispatcher does not answer");
        EXPECT_EQ(refusal(reader, "anyone?"), "no screen reader");
    }
}

}  // namespace
}  // namespace velloxa
