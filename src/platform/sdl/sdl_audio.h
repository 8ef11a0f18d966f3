// The one audio device of the program, opened through SDL_mixer in a fixed
// format (16-bit stereo): 50 mixer channels carry the 50 sound slots, and the
// music hook carries the voice's speech stream, so sounds and speech share
// the device. Needs no window; the terminal front-end uses it too.
#pragma once

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "platform/sdl/trace.h"

namespace velloxa {

class SdlAudio {
  public:
    static constexpr int kChannels = 50;
    static constexpr int kRate = 44100;
    // Small enough that a key's sound starts within a few milliseconds.
    static constexpr int kFrames = 512;

    explicit SdlAudio(Trace* trace = nullptr) : trace_(trace) {}
    ~SdlAudio() { close(); }
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Opens the device once; later calls report the first result. SDL picks
    // the driver (SDL_AUDIODRIVER chooses one, e.g. "disk" in tests).
    bool open();
    bool is_open() const { return open_; }
    const std::string& error() const { return error_; }
    // Stops all sound and closes the device (also before a hard exit, so
    // that a file-backed driver writes out what it holds).
    void close();
    Trace* trace() const { return trace_; }

    // Speech stream: mono 16-bit samples at `source_rate` Hz, converted to
    // the device format. A new generation drops everything queued, and
    // samples pushed for an older generation are thrown away.
    void speech_format(int source_rate);
    uint64_t speech_restart();
    void speech_push(uint64_t generation, const int16_t* samples, int count);
    // The text of `generation` is complete: let the converter give out its tail.
    void speech_end(uint64_t generation);
    bool speech_pending();

  private:
    static void mix_speech(void* self, Uint8* stream, int len);

    Trace* trace_;
    bool tried_ = false;
    bool open_ = false;
    std::string error_;

    std::mutex speech_mutex_;  // guards the stream against the audio thread
    SDL_AudioStream* speech_ = nullptr;
    uint64_t generation_ = 0;
    uint64_t sounding_ = 0;  // the generation last heard, for the trace
};

}  // namespace velloxa
