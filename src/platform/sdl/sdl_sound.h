// The sound slots on the shared SDL_mixer device: slot n is mixer
// channel n. Volume and pan are applied by a per-channel effect in exact
// decibels (SDL_mixer's own volume has 1/128 steps, which turns -50 dB into
// silence, and its panning effect is dropped whenever a channel is reused).
#pragma once

#include <SDL_mixer.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "io/platform.h"
#include "platform/sdl/sdl_audio.h"

namespace velloxa {

struct StereoGain {
    float left = 1, right = 1;
};

// Volume in hundredths of a decibel of attenuation (gain 10^(v/2000)); a pan
// p attenuates the far channel by |p| hundredths of a decibel and leaves the
// near one as it is.
StereoGain slot_gain(int hundredths_db, int pan);

// Scales interleaved 16-bit stereo frames, rounding and clipping.
void apply_gain(int16_t* frames, int count, StereoGain gain);

class SdlSoundDevice : public SoundDevice {
  public:
    explicit SdlSoundDevice(SdlAudio& audio) : audio_(audio) {}
    ~SdlSoundDevice() override;
    SdlSoundDevice(const SdlSoundDevice&) = delete;
    SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

    bool open_device() override;
    // Throws std::runtime_error with SDL's message when the file cannot be
    // decoded; the slot then keeps its sound.
    void load(int slot, const std::string& path) override;
    void set_volume(int slot, int hundredths_db) override;
    void set_pan(int slot, int pan) override;
    // Flags 1 loops. Never waits for the sound.
    void play(int slot, int flags) override;

  private:
    struct Slot {
        std::shared_ptr<Mix_Chunk> chunk;
        int volume = 0, pan = 0;
        std::atomic<float> left{1}, right{1};
        std::atomic<bool> heard{false};
        int index = 0;
        Trace* trace = nullptr;
    };
    // Decoded sounds by path; the file's size and time of change must match.
    struct Cached {
        int64_t size = 0, mtime_ns = 0;
        std::shared_ptr<Mix_Chunk> chunk;
    };

    static void effect(int channel, void* stream, int len, void* udata);
    Slot& slot(int index);
    void update_gain(Slot& s);

    SdlAudio& audio_;
    std::array<Slot, SdlAudio::kChannels> slots_;
    std::unordered_map<std::string, Cached> cache_;
};

}  // namespace velloxa
