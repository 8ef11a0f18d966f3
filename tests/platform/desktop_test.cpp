// The desktop front-end: SDL's keys, and the sounds and the voice on the
// shared audio device, which SDL's disk driver writes into a file as 44.1 kHz
// 16-bit stereo frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "io/keycodes.h"
#include "platform/sdl/keymap.h"
#include "platform/sdl/sdl_sound.h"
#include "platform/speech/espeak_voice.h"
#include "platform/spsc_ring.h"
#include "support/harness.h"

namespace velloxa {
namespace {

using testing::wait_until;

// The plain keys are pressed through X by tests/scripts/desktop_window.sh;
// here the ones it cannot press: other layouts, the keypad, right modifiers.
TEST(DesktopKeys, GameKeysOnAnyLayoutBecomeTheirVirtualKeyCodes) {
    struct Case {
        SDL_Keycode sym;
        SDL_Scancode place;
        int code;
    };
    const Case cases[] = {
        {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, key::Enter},
        {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, key::Shift},
        {SDLK_RCTRL, SDL_SCANCODE_RCTRL, key::Ctrl},
        // AZERTY: the A at QWERTY's Q is an A; the digit row, punctuation unshifted, is digits.
        {SDLK_a, SDL_SCANCODE_Q, 'A'},
        {SDLK_AMPERSAND, SDL_SCANCODE_1, '1'},
        {0x0444, SDL_SCANCODE_A, 'A'},              // a Cyrillic letter: the Latin one at its place
        {SDLK_LEFT, SDL_SCANCODE_KP_4, key::Left},  // keypad arrows with Num Lock off
    };
    for (const Case& c : cases) EXPECT_EQ(virtual_key(c.sym, c.place), c.code) << c.sym;
}

TEST(DesktopKeys, ModifierStateIsABitSetWithoutTheLocks) {
    const int shift = key::ShiftDown, ctrl = key::CtrlDown, alt = key::AltDown;
    struct Case {
        Uint16 mod;
        int code, state;
    };
    const Case cases[] = {
        {KMOD_RSHIFT, '1', shift},
        {KMOD_NUM | KMOD_CAPS, 'A', 0},
        {KMOD_LSHIFT | KMOD_LCTRL | KMOD_RALT, key::Escape, shift | ctrl | alt},
        // A modifier pressed on its own carries its own bit, reported or not.
        {KMOD_NONE, key::Alt, alt},
        {KMOD_LSHIFT, key::Ctrl, shift | ctrl},
    };
    for (const Case& c : cases) EXPECT_EQ(modifier_state(c.mod, c.code), c.state) << c.mod;
}

struct Frame {
    int16_t left, right;
    bool operator==(const Frame&) const = default;
};

std::string le(uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

// A 16-bit stereo WAV at 44.1 kHz: `frames` frames of one level per channel.
std::string wav(int frames, int16_t left, int16_t right) {
    const uint32_t data = static_cast<uint32_t>(frames) * 4;
    std::string s = "RIFF" + le(36 + data, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(2, 2) +
                    le(44100, 4) + le(44100 * 4, 4) + le(4, 2) + le(16, 2) + "data" + le(data, 4);
    for (int i = 0; i < frames; ++i)
        s += le(static_cast<uint16_t>(left), 2) + le(static_cast<uint16_t>(right), 2);
    return s;
}

struct DesktopAudio : ::testing::Test {
    DesktopAudio() {
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", (dir.path() + "/out.raw").c_str(), 1);
    }
    // The frames written so far; closing the device first makes them complete.
    std::vector<Frame> written(bool close = true) {
        if (close) audio.close();
        const std::string raw = testing::read_file(dir.path() + "/out.raw");
        std::vector<Frame> frames(raw.size() / sizeof(Frame));
        // The device may not have written anything yet: no copy from nowhere.
        if (!frames.empty()) std::memcpy(frames.data(), raw.data(), frames.size() * sizeof(Frame));
        return frames;
    }
    testing::TempDir dir;
    SdlAudio audio;
};

// SDL_mixer's own volume turns -50 dB into silence, and it forgets a
// channel's effects when its sound ends: the levels must still be exact on
// every play, until a new sound is loaded into the slot.
TEST_F(DesktopAudio, SoundLevelsReachTheDeviceExactlyAndStayUntilANewLoad) {
    SdlSoundDevice sound{audio};
    ASSERT_TRUE(sound.open_device());
    dir.write("a.wav", wav(4410, 20000, 20000));
    dir.write("b.wav", wav(4410, -12000, 8000));
    const auto idle = [](int channel) {
        EXPECT_TRUE(wait_until([&] { return Mix_Playing(channel) == 0; }));
    };
    sound.load(5, dir.path() + "/a.wav");
    sound.set_volume(5, -5000);
    sound.play(5, 0);
    idle(5);
    sound.set_pan(5, -2500);
    sound.play(5, 0);
    idle(5);
    sound.load(5, dir.path() + "/b.wav");
    sound.play(5, 0);
    idle(-1);
    const auto frames = written();
    // 20000 at -50 dB is 63; the right channel loses 25 dB more: 4.
    EXPECT_GT(std::ranges::count(frames, Frame{63, 63}), 4000);
    EXPECT_GT(std::ranges::count(frames, Frame{63, 4}), 4000);
    EXPECT_GT(std::ranges::count(frames, Frame{-12000, 8000}), 4000);
    EXPECT_EQ(std::ranges::count(frames, Frame{20000, 20000}), 0);
}

// The voice is heard through the shared device on both channels alike, and
// the empty text of the silence key cuts it off: once the voice is no longer
// busy, what the device writes next is silence, however long that took.
TEST_F(DesktopAudio, TheVoiceIsHeardUntilTheSilenceKeyCutsItOff) {
    EspeakVoice voice{audio};
    ASSERT_TRUE(voice.open_voice());
    const auto voiced = [](auto first, auto last) {  // frames not near silence
        return std::count_if(first, last, [](Frame f) { return std::abs(f.left) > 200; });
    };
    voice.set_rate(1);
    std::string long_text;
    for (int i = 0; i < 40; ++i) long_text += "This sentence is here to make the text long.  ";
    voice.speak(long_text, kSpeakInterrupting);
    ASSERT_TRUE(wait_until([&] {
        const auto frames = written(false);
        return voiced(frames.begin(), frames.end()) > 0;
    }));
    voice.speak("", kSpeakInterrupting);
    ASSERT_TRUE(wait_until([&] { return !voice.busy(); }))
        << "the purged text went on (it lasts well over a minute)";
    // Buffers the device had already filled may still be written after the
    // cut; a second beyond them must be silent.
    const size_t cut = written(false).size() + 8 * SdlAudio::kFrames;
    ASSERT_TRUE(wait_until([&] { return written(false).size() > cut + SdlAudio::kRate; }));
    const auto frames = written();
    EXPECT_GT(voiced(frames.begin(), frames.begin() + static_cast<long>(cut)), 0);
    EXPECT_EQ(voiced(frames.begin() + static_cast<long>(cut), frames.end()), 0)
        << "the voice went on after the silence key";
    EXPECT_TRUE(std::ranges::all_of(frames, [](Frame f) { return f.left == f.right; }));
}

}  // namespace
}  // namespace velloxa
