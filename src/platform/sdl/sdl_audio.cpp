#include "platform/sdl/sdl_audio.h"

#include <SDL_mixer.h>

#include <cstring>

namespace velloxa {

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
}

uint64_t SdlAudio::speech_restart() {
    std::lock_guard<std::mutex> lock(speech_mutex_);
    if (speech_) SDL_AudioStreamClear(speech_);
    return ++generation_;
}

void SdlAudio::speech_push(uint64_t generation, const int16_t* samples, int count) {
    std::lock_guard<std::mutex> lock(speech_mutex_);
    if (!speech_ || generation != generation_ || count <= 0) return;
    SDL_AudioStreamPut(speech_, samples, count * static_cast<int>(sizeof(int16_t)));
}

void SdlAudio::speech_end(uint64_t generation) {
    std::lock_guard<std::mutex> lock(speech_mutex_);
    if (speech_ && generation == generation_) SDL_AudioStreamFlush(speech_);
}

bool SdlAudio::speech_pending() {
    std::lock_guard<std::mutex> lock(speech_mutex_);
    return speech_ && SDL_AudioStreamAvailable(speech_) > 0;
}

void SdlAudio::mix_speech(void* self, Uint8* stream, int len) {
    auto* audio = static_cast<SdlAudio*>(self);
    int got = 0;
    bool started = false;
    {
        std::lock_guard<std::mutex> lock(audio->speech_mutex_);
        if (audio->speech_) got = SDL_AudioStreamGet(audio->speech_, stream, len);
        if (got < 0) got = 0;
        if (got > 0 && audio->sounding_ != audio->generation_) {
            audio->sounding_ = audio->generation_;
            started = true;
        }
    }
    if (got < len) std::memset(stream + got, 0, static_cast<size_t>(len - got));
    if (started) trace_line(audio->trace_, "speech-start");
}

}  // namespace velloxa
