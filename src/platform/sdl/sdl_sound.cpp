#include "platform/sdl/sdl_sound.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace velloxa {

StereoGain slot_gain(int hundredths_db, int pan) {
    const double level = std::pow(10.0, hundredths_db / 2000.0);
    const double far = std::pow(10.0, -std::abs(static_cast<double>(pan)) / 2000.0);
    StereoGain g;
    g.left = static_cast<float>(pan > 0 ? level * far : level);
    g.right = static_cast<float>(pan < 0 ? level * far : level);
    return g;
}

void apply_gain(int16_t* frames, int count, StereoGain gain) {
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < 2; ++c) {
            int16_t& s = frames[2 * i + c];
            const float v = std::nearbyint(s * (c == 0 ? gain.left : gain.right));
            s = static_cast<int16_t>(std::clamp(v, -32768.0f, 32767.0f));
        }
    }
}

SdlSoundDevice::~SdlSoundDevice() {
    if (!audio_.is_open()) return;
    for (int i = 0; i < SdlAudio::kChannels; ++i) {
        Mix_HaltChannel(i);
        Mix_UnregisterAllEffects(i);
    }
}

bool SdlSoundDevice::open_device() {
    for (int i = 0; i < SdlAudio::kChannels; ++i) {
        slots_[static_cast<size_t>(i)].index = i;
        slots_[static_cast<size_t>(i)].trace = audio_.trace();
    }
    return audio_.open();
}

SdlSoundDevice::Slot& SdlSoundDevice::slot(int index) {
    if (index < 0 || index >= SdlAudio::kChannels)
        throw std::runtime_error("no sound slot " + std::to_string(index));
    return slots_[static_cast<size_t>(index)];
}

void SdlSoundDevice::load(int index, const std::string& path) {
    Slot& s = slot(index);
    if (!audio_.is_open()) throw std::runtime_error("the sound device is not open");
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) throw std::runtime_error("file not found: " + path);
    const int64_t size = st.st_size;
    const int64_t mtime = int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
    std::shared_ptr<Mix_Chunk> chunk;
    auto found = cache_.find(path);
    if (found != cache_.end() && found->second.size == size && found->second.mtime_ns == mtime) {
        chunk = found->second.chunk;
    } else {
        Mix_Chunk* raw = Mix_LoadWAV(path.c_str());
        if (!raw) throw std::runtime_error(Mix_GetError());
        chunk.reset(raw, Mix_FreeChunk);
        cache_[path] = Cached{size, mtime, chunk};
    }
    // Replacing the content stops the old sound, as a released buffer would.
    Mix_HaltChannel(index);
    s.chunk = std::move(chunk);
    s.volume = 0;
    s.pan = 0;
    update_gain(s);
}

void SdlSoundDevice::update_gain(Slot& s) {
    const StereoGain g = slot_gain(s.volume, s.pan);
    s.left.store(g.left);
    s.right.store(g.right);
}

void SdlSoundDevice::set_volume(int index, int hundredths_db) {
    Slot& s = slot(index);
    s.volume = hundredths_db;
    update_gain(s);
}

void SdlSoundDevice::set_pan(int index, int pan) {
    Slot& s = slot(index);
    s.pan = pan;
    update_gain(s);
}

void SdlSoundDevice::play(int index, int flags) {
    Slot& s = slot(index);
    if (!s.chunk) return;
    if (!audio_.is_open()) throw std::runtime_error("the sound device is not open");
    // SDL_mixer forgets a channel's effects when its sound ends or is
    // halted, so the gain effect is attached afresh for every play.
    Mix_HaltChannel(index);
    Mix_UnregisterAllEffects(index);
    s.heard.store(false);
    if (!Mix_RegisterEffect(index, &SdlSoundDevice::effect, nullptr, &s))
        throw std::runtime_error(Mix_GetError());
    trace_line(s.trace, "play " + std::to_string(index) + " " + std::to_string(s.volume) + " " +
                            std::to_string(s.pan));
    if (Mix_PlayChannel(index, s.chunk.get(), (flags & 1) ? -1 : 0) < 0)
        throw std::runtime_error(Mix_GetError());
}

void SdlSoundDevice::effect(int, void* stream, int len, void* udata) {
    auto* s = static_cast<Slot*>(udata);
    apply_gain(static_cast<int16_t*>(stream), len / 4, StereoGain{s->left.load(), s->right.load()});
    if (!s->heard.exchange(true) && s->trace) s->trace->record("sound-start", s->index);
}

}  // namespace velloxa
