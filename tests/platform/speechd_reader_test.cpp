#include "platform/speech/speechd_reader.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "io/languages.h"
#include "platform/speech/fallback_voice.h"
#include "support/harness.h"

namespace velloxa {
namespace {

using testing::wait_until;

// A speech-dispatcher on a local socket that answers enough of its protocol
// for the reader and logs every line it gets: commands in capitals, the lines
// of a text marked "text". A silent one never answers, not even the set-up;
// one that holds keeps each text's answer until release(); one that drops
// closes the connection inside the first text; one that garbles answers the
// first text with a line outside the protocol.
class FakeSpeechd {
  public:
    enum Manner { silent, holds, drops, garbles };

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
                const char* queued = manner_ == garbles ? "Segmentation fault" : "225-1\r\n225 OK";
                const char* answer = text              ? (text_end ? queued : nullptr)
                                     : line == "SPEAK" ? "230 OK RECEIVING DATA"
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
    EXPECT_FALSE(absent.connect());
    EXPECT_EQ(refusal(absent, "hello"), "no screen reader");
    // Without the time limit the probe would wait here for good.
    FakeSpeechd server(socket, FakeSpeechd::silent);
    SpeechdReader silent(nullptr, 300);
    EXPECT_FALSE(silent.connect());
    EXPECT_EQ(refusal(silent, "hello"), "no screen reader");
}

// What goes over the socket: the client's name, priority and language once, a rate,
// each text with its dots doubled, and a cancel only when something was said.
// `say` returns while the server sits on an answer; a cancel (each key)
// drops the texts still waiting and stops the speech before the next ones go.
TEST_F(DesktopReader, SpeaksTheProtocolAndACancelDropsTheTextsWaiting) {
    SpeechdReader reader(nullptr, 20000);  // outlives the server: its end frees the worker
    FakeSpeechd server(socket, FakeSpeechd::holds);
    reader.use_language(*find_language("pt_BR"));
    ASSERT_TRUE(reader.connect());
    reader.cancel();
    reader.set_rate(-30);
    reader.say("Two lines\n.hidden dot\r\n.");
    ASSERT_TRUE(wait_until([&] { return server.logged("text ..\ntext .\n"); }));
    for (const char* text : {"second", "third"}) EXPECT_EQ(refusal(reader, text), "");
    reader.cancel();
    reader.cancel();
    for (const char* text : {"fourth", "fifth"}) EXPECT_EQ(refusal(reader, text), "");
    server.release();
    ASSERT_TRUE(wait_until([&] { return server.logged("text fifth\ntext .\n"); }));
    std::string log = server.log();
    ASSERT_TRUE(log.starts_with("SET SELF CLIENT_NAME ") && server.logged(":VELLOXA:MAIN\n"))
        << log;
    log.erase(0, log.find('\n') + 1);
    EXPECT_EQ(log,
              "SET SELF PRIORITY MESSAGE\nSET SELF LANGUAGE PT-BR\nSET SELF RATE -30\nSPEAK\ntext "
              "Two lines\n"
              "text ..hidden dot\ntext ..\ntext .\nCANCEL SELF\nSPEAK\ntext fourth\ntext .\n"
              "SPEAK\ntext fifth\ntext .\n");
}

// A server that lets the time limit pass, drops the connection or answers
// outside the protocol is reported once and then treated as no screen reader.
TEST_F(DesktopReader, AHungLostOrGarblingServerIsGivenUp) {
    const std::pair<FakeSpeechd::Manner, const char*> manners[] = {
        {FakeSpeechd::holds, "speech-dispatcher does not answer"},
        {FakeSpeechd::drops, "speech-dispatcher closed the connection"},
        {FakeSpeechd::garbles, "speech-dispatcher answered outside its protocol"}};
    for (const auto& [manner, reason] : manners) {
        SCOPED_TRACE(reason);
        // The limit also bounds the set-up, which must succeed on a busy
        // machine: only the held text is to outlast it.
        SpeechdReader reader(nullptr, 5000);
        FakeSpeechd server(socket, manner);
        ASSERT_TRUE(reader.connect());
        ::unlink(socket.c_str());  // for the next server
        // Only the first text is sure to be taken: under load the worker may
        // give up before any later one arrives.
        EXPECT_EQ(refusal(reader, "Tab"), "");
        std::string first;
        ASSERT_TRUE(wait_until([&] { return !(first = refusal(reader, "anyone?")).empty(); }));
        EXPECT_EQ(first, reason);
        EXPECT_EQ(refusal(reader, "anyone?"), "no screen reader");
        reader.cancel();  // nothing left to cancel, and no throw
    }
}

// A voice that cannot start gives way to speech-dispatcher, and says so.
TEST_F(DesktopReader, AVoiceThatCannotStartSpeaksThroughTheServer) {
    testing::Harness h({.headless = {.voice = false}});  // a voice that cannot start
    Voice& broken = *h.host;
    const auto why = [] { return std::string("espeak-ng cannot start"); };
    std::ostringstream notices;
    EXPECT_FALSE(FallbackVoice(broken, why, notices).open_voice());
    FakeSpeechd server(socket, FakeSpeechd::holds);
    server.release();
    FallbackVoice voice(broken, why, notices);
    ASSERT_TRUE(voice.open_voice());
    EXPECT_TRUE(voice.open_voice());
    EXPECT_EQ(notices.str(),
              "velloxa: espeak-ng cannot start; speech-dispatcher does not run either: no voice\n"
              "velloxa: espeak-ng cannot start; the voice speaks through speech-dispatcher\n");
    voice.set_rate(5);
    voice.speak("One", kSpeakInterrupting);
    ASSERT_TRUE(wait_until([&] { return server.logged("text One\n"); }));
    voice.speak("Two", kSpeakInterrupting);  // cuts the first off, as the voice's flags ask
    ASSERT_TRUE(wait_until([&] { return server.logged("text Two\n"); }));
    EXPECT_TRUE(server.logged("SET SELF RATE 50\nSPEAK\ntext One\ntext .\nCANCEL SELF\nSPEAK\n"))
        << server.log();
    EXPECT_TRUE(h.lines().empty()) << "the broken voice was used";
}

}  // namespace
}  // namespace velloxa
