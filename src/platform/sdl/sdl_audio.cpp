#include "platform/sdl/sdl_audio.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace velloxa {

namespace {

// How long the voice's worker sleeps while the ring is full: a fraction of
// one device buffer (512 frames, 11.6 ms).
constexpr std::chrono::milliseconds kRoomWait{2};

}  // namespace

bool SdlAudio::open() {
    if (tried_) return open_;
    tried_ = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error_ = SDL_GetError();
        return false;
    }
    // No allowed changes: SDL converts to the device, and the slot effects
    // can rely on 16-bit stereo.
    if (Mix_OpenAudioDevice(kRate, AUDIO_S16SYS, 2, kFrames, nullptr, 0) != 0) {
        error_ = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(kChannels);
    Mix_HookMusic(&SdlAudio::mix_speech, this);
    open_ = true;
    trace_line(trace_, "audio-open " + std::string(SDL_GetCurrentAudioDriver()));
    return true;
}

void SdlAudio::close() {
    if (!open_) return;
    // A voice waiting for room gives up, so the converter is free at once.
    accepting_.store(false);
    Mix_HaltChannel(-1);
    Mix_HookMusic(nullptr, nullptr);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_ = false;
    std::lock_guard<std::mutex> lock(speech_mutex_);
    if (speech_) SDL_FreeAudioStream(speech_);
    speech_ = nullptr;
}

void SdlAudio::speech_format(int source_rate) {
    std::lock_guard<std::mutex> lock(speech_mutex_);
    if (speech_) SDL_FreeAudioStream(speech_);
    speech_ = SDL_NewAudioStream(AUDIO_S16SYS, 1, source_rate, AUDIO_S16SYS, 2, kRate);
    converting_ = generation_.load();
    accepting_.store(speech_ != nullptr);
}

uint64_t SdlAudio::speech_restart() {
    // The callback drops what older generations left in the ring; the
    // voice's worker clears its converter at its next push.
    return generation_.fetch_add(1) + 1;
}

void SdlAudio::speech_push(uint64_t generation, const int16_t* samples, int count) {
    if (count <= 0 || generation != generation_.load()) return;
    std::lock_guard<std::mutex> lock(speech_mutex_);
    if (!speech_) return;
    if (converting_ != generation) {
        SDL_AudioStreamClear(speech_);
        converting_ = generation;
    }
    SDL_AudioStreamPut(speech_, samples, count * static_cast<int>(sizeof(int16_t)));
    forward(generation);
}

void SdlAudio::speech_end(uint64_t generation) {
    std::lock_guard<std::mutex> lock(speech_mutex_);
    if (!speech_ || generation != generation_.load() || converting_ != generation) return;
    SDL_AudioStreamFlush(speech_);
    forward(generation);
}

void SdlAudio::forward(uint64_t generation) {
    Rings& rings = *rings_;
    for (;;) {
        const int available = SDL_AudioStreamAvailable(speech_);
        if (available <= 0) return;
        converted_.resize(static_cast<size_t>(available) / sizeof(int16_t));
        const int got = SDL_AudioStreamGet(speech_, converted_.data(), available);
        if (got <= 0) return;
        const size_t total = static_cast<size_t>(got) / sizeof(int16_t);
        for (size_t done = 0; done < total;) {
            if (generation != generation_.load() || !accepting_.load()) {
                SDL_AudioStreamClear(speech_);
                return;
            }
            // The samples go first: a block the callback sees is complete.
            size_t n = 0;
            if (rings.blocks.size() < kRingBlocks)
                n = rings.samples.push(converted_.data() + done, total - done);
            if (n == 0) {
                std::this_thread::sleep_for(kRoomWait);
                continue;
            }
            const Block block{generation, static_cast<uint32_t>(n)};
            rings.blocks.push(&block, 1);
            done += n;
        }
    }
}

bool SdlAudio::speech_pending() {
    return rings_->samples.size() > 0;
}

void SdlAudio::fill_speech(Uint8* stream, int len) noexcept {
    Rings& rings = *rings_;
    auto* out = reinterpret_cast<int16_t*>(stream);
    const size_t wanted = static_cast<size_t>(len) / sizeof(int16_t);
    const uint64_t generation = generation_.load();
    size_t filled = 0;
    bool started = false;
    while (filled < wanted) {
        if (playing_.samples == 0 && rings.blocks.pop(&playing_, 1) == 0) break;
        const bool stale = playing_.generation != generation;
        const size_t n = rings.samples.pop(
            stale ? nullptr : out + filled,
            stale ? playing_.samples : std::min<size_t>(playing_.samples, wanted - filled));
        if (n == 0) break;
        playing_.samples -= static_cast<uint32_t>(n);
        if (stale) continue;
        filled += n;
        if (sounding_ != generation) {
            sounding_ = generation;
            started = true;
        }
    }
    std::memset(out + filled, 0, (wanted - filled) * sizeof(int16_t));
    if (started && trace_) trace_->record("speech-start");
}

void SdlAudio::mix_speech(void* self, Uint8* stream, int len) {
    static_cast<SdlAudio*>(self)->fill_speech(stream, len);
}

}  // namespace velloxa
