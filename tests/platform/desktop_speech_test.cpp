#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "desktop_audio_support.h"
#include "platform/speech/espeak_voice.h"

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

}  // namespace
}  // namespace velloxa
