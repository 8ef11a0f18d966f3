#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
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
    return static_cast<int>(std::count_if(frames.begin(), frames.end(), [](const auto& f) {
        return std::abs(f.first) > 200 || std::abs(f.second) > 200;
    }));
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

struct DesktopVoiceOnDisk : testing::DiskAudio {
    void SetUp() override { ASSERT_TRUE(voice.create()); }
    EspeakVoice voice{audio};
};

TEST_F(DesktopVoiceOnDisk, SpeaksThroughTheSharedAudioDeviceOnBothChannels) {
    EXPECT_TRUE(voice.create());  // a second probe reports the same voice
    voice.set_rate(5);
    voice.speak("Welcome to the board.", 3);
    EXPECT_TRUE(voice.busy());
    ASSERT_TRUE(waituntil([&] { return !voice.busy(); }));
    const auto frames = written();
    EXPECT_GT(voiced(frames), 44100 / 4) << "less than a quarter second of speech";
    EXPECT_TRUE(std::all_of(frames.begin(), frames.end(),
                            [](const auto& f) { return f.first == f.second; }));
}

TEST_F(DesktopVoiceOnDisk, ANewTextCutsOffTheOneSpeaking) {
    voice.set_rate(1);
    std::string longtext;
    for (int i = 0; i < 40; ++i) longtext += "This sentence is here to make the text long.  ";
    voice.speak(longtext, 3);
    // Once the speech is heard, silence it as the Ctrl key does.
    ASSERT_TRUE(waituntil([&] { return voice.busy(); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    voice.speak("", 3);
    ASSERT_TRUE(waituntil([&] { return !voice.busy(); }, 5))
        << "the purged text went on (it lasts well over a minute)";
    const int n = voiced(written());
    EXPECT_TRUE(n > 0 && n < 44100 * 10) << n;
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

// A speech-dispatcher on a local socket that answers its protocol (or says
// nothing at all) and keeps the commands and texts it was sent.
class FakeSpeechd {
  public:
    FakeSpeechd(const std::string& path, bool answer) : answer_(answer) {
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
    // Drops the connection, as a server that has gone away.
    void stop() {
        ::shutdown(fd_, SHUT_RDWR);
        ::shutdown(client_, SHUT_RDWR);
        if (thread_.joinable()) thread_.join();
    }
    // Every line received, commands in capitals, the lines of texts marked.
    std::string log() {
        std::lock_guard<std::mutex> lock(mutex_);
        return log_;
    }

  private:
    void talk(int c) {
        std::string buffer;
        bool data = false;
        char chunk[512];
        for (ssize_t n; (n = ::read(c, chunk, sizeof chunk)) > 0;) {
            buffer.append(chunk, static_cast<size_t>(n));
            for (size_t end; answer_ && (end = buffer.find("\r\n")) != std::string::npos;) {
                std::string line = buffer.substr(0, end);
                buffer.erase(0, end + 2);
                // Commands are not case-sensitive; a text's lines end with ".".
                if (!data) std::transform(line.begin(), line.end(), line.begin(), ::toupper);
                std::lock_guard<std::mutex> lock(mutex_);
                log_ += (data ? "text " : "") + line + "\n";
                const char* answer = data ? (line == "." ? "225-1\r\n225 OK MESSAGE QUEUED" : "")
                                     : line == "SPEAK" ? "230 OK RECEIVING DATA"
                                     : line == "QUIT"  ? "231 HAPPY HACKING"
                                     : line.starts_with("HISTORY GET CLIENT_ID")
                                         ? "240-1\r\n240 OK CLIENT ID SENT"
                                         : "200 OK";
                data = data ? line != "." : line == "SPEAK";
                if (*answer)
                    (void)!::write(c, (answer + std::string("\r\n")).data(),
                                   std::strlen(answer) + 2);
            }
        }
    }

    bool answer_;
    int fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    std::atomic<int> client_{-1};
    std::thread thread_;
    std::mutex mutex_;
    std::string log_;
};

struct DesktopReader : ::testing::Test {
    void SetUp() override { ::setenv("SPEECHD_ADDRESS", ("unix_socket:" + socket).c_str(), 1); }
    void TearDown() override { ::unsetenv("SPEECHD_ADDRESS"); }
    TempDir dir;
    std::string socket = dir.path() + "/speechd.sock";
};

TEST_F(DesktopReader, NoServerOrOneThatNeverAnswersMeansNoScreenReader) {
    SpeechdReader absent;
    EXPECT_FALSE(absent.create());
    EXPECT_THROW(absent.say("hello"), std::runtime_error);
    // Without the time limit the probe would wait here for good.
    FakeSpeechd server(socket, false);
    SpeechdReader silent(nullptr, 300);
    EXPECT_FALSE(silent.create());
}

TEST_F(DesktopReader, TextsAreQueuedAsMessagesAndALostServerIsReported) {
    FakeSpeechd server(socket, true);
    SpeechdReader reader;
    ASSERT_TRUE(reader.create());
    reader.say("Welcome to the board.");
    reader.say("Spot 2, 2.");
    const std::string log = server.log();
    const size_t first = log.find("SPEAK\ntext Welcome to the board.\ntext .\n");
    EXPECT_NE(log.find("SPEAK\ntext Spot 2, 2.\ntext .\n", first), std::string::npos) << log;
    EXPECT_NE(log.find(":VELLOXA:"), std::string::npos);  // in the client name
    EXPECT_NE(log.find("\nSET SELF PRIORITY MESSAGE\n"), std::string::npos);
    EXPECT_EQ(log.find("PRIORITY IMPORTANT"), std::string::npos);
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
