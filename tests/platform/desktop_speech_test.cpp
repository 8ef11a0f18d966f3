#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "desktop_audio_support.h"
#include "platform/speech/espeak_voice.h"
#include "platform/speech/speechd_reader.h"

namespace velloxa {
namespace {

using testing::TempDir;

bool waituntil(const std::function<bool()>& done, int seconds = 20) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// Frames with sound in them (not near silence).
int voiced(const std::vector<testing::Frame>& frames) {
    int n = 0;
    for (const auto& [l, r] : frames) n += std::abs(l) > 200 || std::abs(r) > 200;
    return n;
}

TEST(DesktopVoice, RatesOneToTenMapToWordsPerMinute) {
    EXPECT_EQ(words_per_minute(1), 195);
    EXPECT_EQ(words_per_minute(2), 218);
    EXPECT_EQ(words_per_minute(5), 303);
    EXPECT_EQ(words_per_minute(10), 525);
    // Values from an edited progress file cannot overflow.
    EXPECT_EQ(words_per_minute(1000000000), words_per_minute(20));
    EXPECT_EQ(words_per_minute(-1000000000), words_per_minute(-10));
}

TEST(DesktopVoice, SpeaksThroughTheSharedAudioDevice) {
    TempDir dir;
    testing::use_disk_audio(dir.path() + "/out.raw");
    SdlAudio audio;
    EspeakVoice voice(audio);
    ASSERT_TRUE(voice.create());
    EXPECT_TRUE(voice.create());  // a second probe reports the same voice
    voice.set_rate(5);
    voice.speak("Welcome to the board.", 3);
    EXPECT_TRUE(voice.busy());
    ASSERT_TRUE(waituntil([&] { return !voice.busy(); }));
    audio.close();
    const int heard = voiced(testing::written(dir.path() + "/out.raw"));
    EXPECT_GT(heard, 44100 / 4) << "less than a quarter second of speech";
    // Both channels carry the voice alike.
    int same = 0, total = 0;
    for (const auto& [l, r] : testing::written(dir.path() + "/out.raw")) {
        total += l != 0;
        same += l != 0 && l == r;
    }
    EXPECT_EQ(same, total);
}

TEST(DesktopVoice, ANewTextCutsOffTheOneSpeaking) {
    TempDir dir;
    testing::use_disk_audio(dir.path() + "/out.raw");
    SdlAudio audio;
    EspeakVoice voice(audio);
    ASSERT_TRUE(voice.create());
    voice.set_rate(1);
    std::string longtext;
    for (int i = 0; i < 40; ++i) longtext += "This sentence is here to make the text long.  ";
    voice.speak(longtext, 3);
    // Wait for the speech to be heard, then silence it as the Ctrl key does.
    ASSERT_TRUE(waituntil([&] { return voice.busy(); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    voice.speak("", 3);
    ASSERT_TRUE(waituntil([&] { return !voice.busy(); }, 5))
        << "the purged text went on (it lasts well over a minute)";
    audio.close();
    const int heard = voiced(testing::written(dir.path() + "/out.raw"));
    EXPECT_GT(heard, 0);
    EXPECT_LT(heard, 44100 * 10);
}

TEST(DesktopVoice, WithoutVoiceDataOrAudioTheProbeFails) {
    TempDir dir;
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    {
        SdlAudio audio;
        EspeakVoice voice(audio);
        EXPECT_FALSE(voice.create());
        EXPECT_NO_THROW(voice.speak("nothing", 3));
    }
    // espeak-ng keeps what an earlier voice of this process loaded, so the
    // missing data is tried in a fresh process. Ending there with code 3
    // also shows the program was not ended by the engine.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::setenv("SDL_AUDIODRIVER", "dummy", 1);
            dir.write("espeak-ng-data/.keep", "");  // a data folder with nothing in it
            ::setenv("ESPEAK_DATA_PATH", dir.path().c_str(), 1);
            SdlAudio audio;
            EspeakVoice voice(audio);
            const bool made = voice.create();
            std::filesystem::remove_all(dir.path());  // no destructors run after _Exit
            std::_Exit(made ? 1 : 3);
        },
        ::testing::ExitedWithCode(3), "");
}

// ---- speech-dispatcher, played by a small server speaking its protocol

// Commands are not case-sensitive.
std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

class FakeSpeechd {
  public:
    explicit FakeSpeechd(const std::string& path, bool answer = true) : answer_(answer) {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        path.copy(addr.sun_path, sizeof(addr.sun_path) - 1);
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
            ::listen(fd_, 4) != 0)
            throw std::runtime_error("cannot listen on " + path);
        thread_ = std::thread([this] { serve(); });
    }
    ~FakeSpeechd() {
        stop();
        ::close(fd_);
    }
    // Drops the connection, as a server that has gone away.
    void stop() {
        stopping_ = true;
        ::shutdown(fd_, SHUT_RDWR);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (client_ >= 0) ::shutdown(client_, SHUT_RDWR);
        }
        if (thread_.joinable()) thread_.join();
    }
    std::vector<std::string> lines() {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_;
    }
    std::vector<std::string> texts() {
        std::lock_guard<std::mutex> lock(mutex_);
        return texts_;
    }

  private:
    // One client after the other, until stopped.
    void serve() {
        while (!stopping_) {
            const int c = ::accept(fd_, nullptr, nullptr);
            if (c < 0) return;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                client_ = c;
            }
            talk();
            std::lock_guard<std::mutex> lock(mutex_);
            ::close(client_);
            client_ = -1;
        }
    }
    void talk() {
        std::string buffer;
        bool data = false;
        std::string text;
        int id = 0;
        char chunk[512];
        for (;;) {
            const ssize_t n = ::read(client_, chunk, sizeof(chunk));
            if (n <= 0) return;
            buffer.append(chunk, static_cast<size_t>(n));
            for (size_t end; (end = buffer.find("\r\n")) != std::string::npos;) {
                const std::string line = buffer.substr(0, end);
                buffer.erase(0, end + 2);
                if (!answer_) continue;
                std::lock_guard<std::mutex> lock(mutex_);
                if (data) {
                    if (line == ".") {
                        data = false;
                        texts_.push_back(text);
                        text.clear();
                        send("225-" + std::to_string(++id) + "\r\n225 OK MESSAGE QUEUED\r\n");
                    } else {
                        text += (text.empty() ? "" : "\n") + line;
                    }
                    continue;
                }
                lines_.push_back(upper(line));
                if (upper(line) == "SPEAK") {
                    data = true;
                    send("230 OK RECEIVING DATA\r\n");
                } else if (upper(line) == "QUIT") {
                    send("231 HAPPY HACKING\r\n");
                } else if (upper(line).rfind("HISTORY GET CLIENT_ID", 0) == 0) {
                    send("240-1\r\n240 OK CLIENT ID SENT\r\n");
                } else {
                    send("200 OK\r\n");
                }
            }
        }
    }
    void send(const std::string& s) { (void)!::write(client_, s.data(), s.size()); }

    bool answer_;
    int fd_ = -1;
    int client_ = -1;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> lines_, texts_;
};

class DesktopReader : public ::testing::Test {
  protected:
    void SetUp() override {
        socket = dir.path() + "/speechd.sock";
        ::setenv("SPEECHD_ADDRESS", ("unix_socket:" + socket).c_str(), 1);
    }
    void TearDown() override { ::unsetenv("SPEECHD_ADDRESS"); }
    TempDir dir;
    std::string socket;
};

TEST_F(DesktopReader, NoServerMeansNoScreenReader) {
    SpeechdReader reader;
    EXPECT_FALSE(reader.create());
    EXPECT_THROW(reader.say("hello"), std::runtime_error);
}

TEST_F(DesktopReader, AServerThatNeverAnswersDoesNotHoldUpStartUp) {
    FakeSpeechd server(socket, false);
    SpeechdReader reader(nullptr, 300);
    const auto before = std::chrono::steady_clock::now();
    EXPECT_FALSE(reader.create());
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
}

TEST_F(DesktopReader, TextsAreQueuedAsMessagesAndALostServerIsReported) {
    FakeSpeechd server(socket);
    SpeechdReader reader;
    ASSERT_TRUE(reader.create());
    reader.say("Welcome to the board.");
    reader.say("Spot 2, 2.");
    EXPECT_EQ(server.texts(), (std::vector<std::string>{"Welcome to the board.", "Spot 2, 2."}));
    bool named = false, message = false;
    for (const std::string& line : server.lines()) {
        named |= line.find("CLIENT_NAME") != std::string::npos &&
                 line.find(":VELLOXA:") != std::string::npos;
        message |= line == "SET SELF PRIORITY MESSAGE";
        EXPECT_NE(line, "SET SELF PRIORITY IMPORTANT");
    }
    EXPECT_TRUE(named);
    EXPECT_TRUE(message);
    server.stop();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_THROW(
        {
            reader.say("Anyone there?");
            reader.say("Anyone there?");
        },
        std::runtime_error);
}

}  // namespace
}  // namespace velloxa
