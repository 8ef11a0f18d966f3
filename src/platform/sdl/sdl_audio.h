// The one audio device of the program, opened through SDL_mixer in a fixed
// format (16-bit stereo): one mixer channel per sound slot, and the
// music hook carries the voice's speech stream, so sounds and speech share
// the device. Needs no window; the terminal front-end uses it too.
#pragma once

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "io/platform.h"
#include "platform/speech_stream.h"
#include "platform/spsc_ring.h"
#include "platform/trace.h"

namespace velloxa {

class SdlAudio : public SpeechStream {
  public:
    static constexpr int kChannels = SoundDevice::kSlots;
    static constexpr int kRate = 44100;
    // Small enough that a key's sound starts within a few milliseconds.
    static constexpr int kFrames = 512;

    explicit SdlAudio(Trace* trace = nullptr) : trace_(trace) {}
    ~SdlAudio() override { close(); }
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Opens the device once; later calls report the first result. SDL picks
    // the driver (SDL_AUDIODRIVER chooses one, e.g. "disk" in tests).
    bool open() override;
    bool is_open() const { return open_; }
    const std::string& error() const override { return error_; }
    // Stops all sound and closes the device (also before a hard exit, so
    // that a file-backed driver writes out what it holds).
    void close();
    Trace* trace() const override { return trace_; }

    // The speech stream, converted to the device format.
    void speech_format(int source_rate) override;
    uint64_t speech_restart() override;
    void speech_push(uint64_t generation, const int16_t* samples, int count) override;
    void speech_end(uint64_t generation) override;
    bool speech_pending() override;

    // What the audio callback does with the speech: fills `len` bytes of
    // device samples, silence where there is no speech. Takes no lock and
    // allocates nothing.
    void fill_speech(Uint8* stream, int len) noexcept;

  private:
    static void mix_speech(void* self, Uint8* stream, int len);
    // Hands the converter's output to the callback, waiting for room.
    void forward(uint64_t generation);

    Trace* trace_;
    bool tried_ = false;
    bool open_ = false;
    std::string error_;

    // The voice's side: the converter, guarded against close().
    std::mutex speech_mutex_;
    SDL_AudioStream* speech_ = nullptr;
    uint64_t converting_ = 0;  // the generation in the converter
    std::vector<int16_t> converted_;
    std::atomic<bool> accepting_{false};

    // Between the voice's worker and the callback: device samples, and
    // after them the block they form with its generation.
    struct Block {
        uint64_t generation = 0;
        uint32_t samples = 0;
    };
    static constexpr size_t kRingSamples = size_t{1} << 17;  // 1.5 s of stereo
    static constexpr size_t kRingBlocks = 1024;
    struct Rings {
        SpscRing<int16_t, kRingSamples> samples;
        SpscRing<Block, kRingBlocks> blocks;
    };
    const std::unique_ptr<Rings> rings_ = std::make_unique<Rings>();  // too big for a stack
    std::atomic<uint64_t> generation_{0};
    // The callback's own.
    Block playing_;
    uint64_t sounding_ = 0;  // the generation last heard, for the trace
};

}  // namespace velloxa
