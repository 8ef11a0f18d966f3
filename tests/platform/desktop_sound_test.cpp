#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <thread>

#include "cards/catalogue.h"
#include "desktop_audio_support.h"
#include "platform/sdl/sdl_sound.h"

namespace velloxa {
namespace {

using testing::count;
using testing::TempDir;
using testing::wav;
using testing::written;

TEST(DesktopSoundGain, VolumeAndPanAreExactDecibels) {
    const StereoGain full = slot_gain(0, 0);
    EXPECT_FLOAT_EQ(full.left, 1);
    EXPECT_FLOAT_EQ(full.right, 1);
    const StereoGain quiet = slot_gain(-2000, 0);
    EXPECT_FLOAT_EQ(quiet.left, 0.1f);
    EXPECT_FLOAT_EQ(quiet.right, 0.1f);
    // Left column, top row: the right channel loses 25 dB more.
    const StereoGain topleft = slot_gain(-2000, -2500);
    EXPECT_FLOAT_EQ(topleft.left, 0.1f);
    EXPECT_FLOAT_EQ(topleft.right, static_cast<float>(0.1 * std::pow(10.0, -1.25)));
    const StereoGain right = slot_gain(0, 10000);
    EXPECT_FLOAT_EQ(right.left, 1e-5f);
    EXPECT_FLOAT_EQ(right.right, 1);
    // -50 dB is quiet but not silence.
    EXPECT_FLOAT_EQ(slot_gain(-5000, 0).left, static_cast<float>(std::pow(10.0, -2.5)));
}

TEST(DesktopSoundGain, SamplesAreScaledRoundedAndClipped) {
    int16_t frames[] = {10000, 10000, -10000, 32767, 3, -3};
    apply_gain(frames, 3, StereoGain{0.5f, 2.0f});
    EXPECT_EQ(frames[0], 5000);
    EXPECT_EQ(frames[1], 20000);
    EXPECT_EQ(frames[2], -5000);
    EXPECT_EQ(frames[3], 32767);
    EXPECT_EQ(frames[4], 2);  // 1.5 rounds to even
    EXPECT_EQ(frames[5], -6);
    int16_t low[] = {-32768, -20000};
    apply_gain(low, 1, StereoGain{1.0f, 2.0f});
    EXPECT_EQ(low[0], -32768);
    EXPECT_EQ(low[1], -32768);
}

// A device on SDL's disk driver with a few sounds in a temporary folder.
class DiskSound : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::use_disk_audio(dir.path() + "/out.raw");
        dir.write("a.wav", wav(4410, 20000, 20000));
        dir.write("b.wav", wav(4410, -12000, 8000));
        dir.write("text.wav", "this is no sound file");
        ASSERT_TRUE(sound.create());
    }
    std::string path(const std::string& name) { return dir.path() + "/" + name; }
    // Lets a play finish, closes the device (so the file is complete) and
    // returns what it wrote.
    std::vector<testing::Frame> finish() {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (Mix_Playing(-1) > 0 && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        audio.close();
        return written(dir.path() + "/out.raw");
    }

    TempDir dir;
    SdlAudio audio;
    SdlSoundDevice sound{audio};
};

TEST_F(DiskSound, VolumeAndPanReachTheDeviceExactly) {
    sound.load(2, path("a.wav"));
    sound.set_volume(2, -5000);
    sound.set_pan(2, -2500);
    sound.play(2, 0);
    const auto frames = finish();
    // 20000 at -50 dB is 63; the right channel loses 25 dB more: 4.
    EXPECT_GT(count(frames, {63, 4}), 4000);
    EXPECT_EQ(count(frames, {20000, 20000}), 0);
}

TEST_F(DiskSound, AReplayedSlotKeepsItsLevelsAndANewLoadResetsThem) {
    sound.load(5, path("a.wav"));
    sound.set_volume(5, -2000);
    sound.play(5, 0);
    // The first play has ended (its effect is gone) when the slot plays again.
    while (Mix_Playing(5)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    sound.set_pan(5, 2500);
    sound.play(5, 0);
    while (Mix_Playing(5)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    sound.load(5, path("b.wav"));
    sound.play(5, 0);
    const auto frames = finish();
    EXPECT_GT(count(frames, {2000, 2000}), 4000);
    EXPECT_GT(count(frames, {112, 2000}), 4000);  // 2000 * 10^-1.25, rounded
    EXPECT_GT(count(frames, {-12000, 8000}), 4000);
}

TEST_F(DiskSound, AFileThatIsNoSoundFailsAndTheSlotKeepsItsSound) {
    sound.load(7, path("b.wav"));
    EXPECT_THROW(sound.load(7, path("text.wav")), std::runtime_error);
    EXPECT_THROW(sound.load(7, path("missing.wav")), std::runtime_error);
    sound.play(7, 0);
    EXPECT_GT(count(finish(), {-12000, 8000}), 4000);
}

TEST_F(DiskSound, AChangedFileIsReadAgain) {
    sound.load(3, path("a.wav"));
    // Same size, so only the time of change tells them apart.
    dir.write("a.wav", wav(4410, 1000, 1000));
    std::filesystem::last_write_time(
        path("a.wav"), std::filesystem::last_write_time(path("a.wav")) + std::chrono::seconds(2));
    sound.load(3, path("a.wav"));
    sound.play(3, 0);
    const auto frames = finish();
    EXPECT_GT(count(frames, {1000, 1000}), 4000);
    EXPECT_EQ(count(frames, {20000, 20000}), 0);
}

TEST_F(DiskSound, LoopingPlaysUntilTheSlotIsReloaded) {
    sound.load(9, path("a.wav"));
    sound.play(9, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_EQ(Mix_Playing(9), 1);  // the sound lasts 100 ms
    sound.load(9, path("b.wav"));
    EXPECT_EQ(Mix_Playing(9), 0);
    EXPECT_GT(count(finish(), {20000, 20000}), 4410 * 2);
}

TEST_F(DiskSound, BadSlotsAreRefused) {
    EXPECT_THROW(sound.load(50, path("a.wav")), std::runtime_error);
    EXPECT_THROW(sound.set_volume(-1, 0), std::runtime_error);
    // An empty slot plays nothing and does not fail.
    EXPECT_NO_THROW(sound.play(11, 0));
}

TEST(DesktopSoundDevice, NoDeviceMeansCreateFails) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlAudio audio;
    SdlSoundDevice sound(audio);
    EXPECT_FALSE(sound.create());
    EXPECT_FALSE(audio.error().empty());
    EXPECT_THROW(sound.load(0, "/nonexistent.wav"), std::runtime_error);
}

// ---- the generated sound set beside the program

std::string soundfolder() {
    const char* binary = std::getenv("VELLOXA_BINARY");
    if (!binary) return "";
    return std::filesystem::path(binary).parent_path().string() + "/sounds";
}

struct Wav {
    int channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
};

Wav readwav(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto u16 = [&](size_t at) {
        return static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8;
    };
    auto u32 = [&](size_t at) { return static_cast<uint32_t>(u16(at) | u16(at + 2) << 16); };
    Wav w;
    if (s.size() < 44 || s.compare(0, 4, "RIFF") != 0 || s.compare(8, 4, "WAVE") != 0) return w;
    if (u16(20) != 1) return w;  // PCM
    w.channels = u16(22);
    w.rate = static_cast<int>(u32(24));
    w.bits = u16(34);
    const uint32_t data = u32(40);
    for (size_t i = 44; i + 1 < 44 + data && i + 1 < s.size(); i += 2)
        w.samples.push_back(static_cast<int16_t>(u16(i)));
    return w;
}

TEST(DesktopSoundSet, EverySoundTheGameAsksForExistsAndIsFitForPlay) {
    const std::string folder = soundfolder();
    if (folder.empty()) GTEST_SKIP() << "VELLOXA_BINARY is not set";
    std::set<std::string> files = {"menu/arrows.wav", "menu/enter.wav", "drop1.wav",  "drop2.wav",
                                   "drop3.wav",       "drop4.wav",      "capture.wav"};
    for (const TileContent& t : tile_content())
        if (*t.sound) files.insert(std::string("tiles/") + t.sound + ".wav");
    std::set<std::vector<int16_t>> distinct;
    for (const std::string& f : files) {
        SCOPED_TRACE(f);
        const Wav w = readwav(folder + "/" + f);
        ASSERT_EQ(w.bits, 16);
        ASSERT_GE(w.channels, 1);
        ASSERT_GT(w.rate, 0);
        const double seconds = static_cast<double>(w.samples.size()) / w.channels / w.rate;
        EXPECT_GT(seconds, 0.02);
        EXPECT_LT(seconds, 1.2);
        int peak = 0;
        for (int16_t s : w.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_GT(peak, 16000) << "too quiet";
        // Faded in and out: no click at either end.
        EXPECT_LT(std::abs(w.samples.front()), 500);
        EXPECT_LT(std::abs(w.samples.back()), 500);
        distinct.insert(w.samples);
    }
    EXPECT_EQ(distinct.size(), files.size()) << "two sounds are the same";
}

TEST(DesktopSoundSet, SdlMixerDecodesEverySound) {
    const std::string folder = soundfolder();
    if (folder.empty()) GTEST_SKIP() << "VELLOXA_BINARY is not set";
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    SdlAudio audio;
    SdlSoundDevice sound(audio);
    ASSERT_TRUE(sound.create());
    int slot = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.path().extension() != ".wav") continue;
        EXPECT_NO_THROW(sound.load(slot, entry.path().string())) << entry.path();
        slot = (slot + 1) % SdlAudio::kChannels;
    }
}

}  // namespace
}  // namespace velloxa
