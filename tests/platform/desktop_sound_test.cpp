#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <thread>

#include "cards/catalogue.h"
#include "desktop_audio_support.h"
#include "platform/sdl/sdl_sound.h"

namespace velloxa {
namespace {

using testing::count;
using testing::wav;

TEST(DesktopSoundGain, VolumeAndPanAreExactDecibels) {
    const std::pair<int, int> levels[] = {
        {0, 0}, {-2000, 0}, {-2000, -2500}, {0, 10000}, {-5000, 0}};
    // The far channel loses the pan on top of the volume; -50 dB is quiet but not silence.
    const std::pair<double, double> gains[] = {{1, 1},
                                               {0.1, 0.1},
                                               {0.1, 0.1 * std::pow(10.0, -1.25)},
                                               {1e-5, 1},
                                               {std::pow(10.0, -2.5), std::pow(10.0, -2.5)}};
    for (int i = 0; i < 5; ++i) {
        const StereoGain g = slot_gain(levels[i].first, levels[i].second);
        EXPECT_FLOAT_EQ(g.left, static_cast<float>(gains[i].first)) << i;
        EXPECT_FLOAT_EQ(g.right, static_cast<float>(gains[i].second)) << i;
    }
}

TEST(DesktopSoundGain, SamplesAreScaledRoundedAndClipped) {
    int16_t frames[] = {10000, 10000, -10000, 32767, 3, -3, -32768, -20000};
    apply_gain(frames, 4, StereoGain{0.5f, 2.0f});
    // 1.5 rounds to even; both ends clip.
    const int16_t expected[] = {5000, 20000, -5000, 32767, 2, -6, -16384, -32768};
    EXPECT_TRUE(std::equal(std::begin(frames), std::end(frames), std::begin(expected)));
}

// A device on the disk driver with a few sounds in the temporary folder.
struct DesktopDiskSound : testing::DiskAudio {
    void SetUp() override {
        dir.write("a.wav", wav(4410, 20000, 20000));
        dir.write("b.wav", wav(4410, -12000, 8000));
        dir.write("text.wav", "this is no sound file");
        ASSERT_TRUE(sound.create());
    }
    std::string path(const std::string& name) { return dir.path() + "/" + name; }
    static void idle(int channel) {
        while (Mix_Playing(channel) > 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // Lets every play finish and returns what the device wrote.
    std::vector<testing::Frame> finish() {
        idle(-1);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return written();
    }
    SdlSoundDevice sound{audio};
};

TEST_F(DesktopDiskSound, LevelsReachTheDeviceExactlyAndStayUntilANewLoad) {
    sound.load(5, path("a.wav"));
    sound.set_volume(5, -5000);
    sound.play(5, 0);
    idle(5);  // the first play's effect is gone when the slot plays again
    sound.set_pan(5, -2500);
    sound.play(5, 0);
    idle(5);
    sound.load(5, path("b.wav"));
    sound.play(5, 0);
    const auto frames = finish();
    // 20000 at -50 dB is 63; the right channel loses 25 dB more: 4.
    EXPECT_GT(count(frames, {63, 63}), 4000);
    EXPECT_GT(count(frames, {63, 4}), 4000);
    EXPECT_GT(count(frames, {-12000, 8000}), 4000);
    EXPECT_EQ(count(frames, {20000, 20000}), 0);
}

TEST_F(DesktopDiskSound, BadFilesAndSlotsAreRefusedAndTheSlotKeepsItsSound) {
    sound.load(7, path("b.wav"));
    EXPECT_THROW(sound.load(7, path("text.wav")), std::runtime_error);
    EXPECT_THROW(sound.load(7, path("missing.wav")), std::runtime_error);
    EXPECT_THROW(sound.load(50, path("a.wav")), std::runtime_error);
    EXPECT_THROW(sound.set_volume(-1, 0), std::runtime_error);
    EXPECT_NO_THROW(sound.play(11, 0));  // an empty slot plays nothing
    sound.play(7, 0);
    EXPECT_GT(count(finish(), {-12000, 8000}), 4000);
}

TEST(DesktopSoundDevice, NoDeviceMeansCreateFails) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlAudio audio;
    SdlSoundDevice sound(audio);
    EXPECT_FALSE(sound.create());
    EXPECT_FALSE(audio.error().empty());
    EXPECT_THROW(sound.load(0, "/nonexistent.wav"), std::runtime_error);
}

// The mean power of the loudest 100 ms of a mono sound, in dB below full
// scale; silence past the end counts, so a short blip measures quieter.
double loudness(const std::vector<int16_t>& samples) {
    const size_t window = 4410;
    double sum = 0, loudest = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        sum += std::pow(samples[i] / 32768.0, 2);
        if (i >= window) sum -= std::pow(samples[i - window] / 32768.0, 2);
        loudest = std::max(loudest, sum);
    }
    return 10 * std::log10(std::max(loudest / window, 1e-20));
}

// The generated sound set beside the program. The game lowers a sound by up
// to 20 dB toward the top row, so one quieter than the rest could vanish under
// the voice: the whole set shares one loudness, with headroom below clipping.
TEST(DesktopSoundSet, EverySoundTheGameAsksForIsFitForPlay) {
    const char* binary = std::getenv("VELLOXA_BINARY");
    if (!binary) GTEST_SKIP() << "VELLOXA_BINARY is not set";
    const std::string folder = std::filesystem::path(binary).parent_path().string() + "/sounds/";
    std::set<std::string> files = {"menu/arrows.wav", "menu/enter.wav", "drop1.wav",  "drop2.wav",
                                   "drop3.wav",       "drop4.wav",      "capture.wav"};
    for (const TileContent& t : tile_content())
        if (*t.sound) files.insert(std::string("tiles/") + t.sound + ".wav");
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    SdlAudio audio;
    SdlSoundDevice sound(audio);
    ASSERT_TRUE(sound.create());
    std::set<std::vector<int16_t>> distinct;
    std::multimap<double, std::string> levels;
    for (const std::string& f : files) {
        SCOPED_TRACE(f);
        EXPECT_NO_THROW(sound.load(static_cast<int>(distinct.size()) % 50, folder + f));
        SDL_AudioSpec spec;
        Uint8* buffer = nullptr;
        Uint32 bytes = 0;
        ASSERT_NE(SDL_LoadWAV((folder + f).c_str(), &spec, &buffer, &bytes), nullptr);
        const auto* first = reinterpret_cast<const int16_t*>(buffer);
        const std::vector<int16_t> samples(first, first + bytes / 2);
        SDL_FreeWAV(buffer);
        ASSERT_EQ(spec.format, AUDIO_S16LSB);
        ASSERT_FALSE(samples.empty());
        const double seconds = static_cast<double>(samples.size()) / spec.channels / spec.freq;
        EXPECT_TRUE(seconds > 0.02 && seconds < 1.2) << seconds;
        ASSERT_EQ(spec.channels, 1);
        const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
        EXPECT_LT(std::max(-*low, +*high), 29205) << "peaks at -1 dBFS or above";
        levels.emplace(loudness(samples), f);
        // Faded in and out: no click at either end.
        EXPECT_LT(std::abs(samples.front()), 500);
        EXPECT_LT(std::abs(samples.back()), 500);
        distinct.insert(samples);
    }
    EXPECT_EQ(distinct.size(), files.size()) << "two sounds are the same";
    // Within 2 dB of a common level, and a level loud enough to hear.
    ASSERT_FALSE(levels.empty());
    const double middle = (levels.begin()->first + levels.rbegin()->first) / 2;
    EXPECT_LE(levels.rbegin()->first - levels.begin()->first, 4)
        << levels.begin()->second << " at " << levels.begin()->first << " dB, "
        << levels.rbegin()->second << " at " << levels.rbegin()->first << " dB";
    EXPECT_GT(middle, -20);
}

}  // namespace
}  // namespace velloxa
