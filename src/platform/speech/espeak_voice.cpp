#include "platform/speech/espeak_voice.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <future>

#include "io/languages.h"

namespace velloxa {

// espeak-ng hands over the samples of a text block by block, with the voice
// as the user data of the events.
struct EspeakSamples {
    static int callback(short* wav, int count, espeak_EVENT* events) {
        auto* self = static_cast<EspeakVoice*>(events ? events->user_data : nullptr);
        return self ? self->take(wav, count) : 0;
    }
};

int words_per_minute(int rate) {
    const int s = std::clamp(rate, -10, 20);
    return static_cast<int>(std::lround(175.0 * std::pow(3.0, s / 10.0)));
}

EspeakVoice::~EspeakVoice() {
    if (!worker_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        generation_.fetch_add(1);  // a synthesis in progress stops at its next block
    }
    wake_.notify_all();
    worker_.join();
}

bool EspeakVoice::open_voice() {
    if (tried_) return ready_;
    tried_ = true;
    if (!audio_.open()) {
        failure_ = "no audio device: " + audio_.error();
        return false;
    }
    // espeak-ng keeps global state and is not thread-safe: every call to it
    // is made on the worker, which reports here whether it could start.
    std::promise<bool> started;
    std::future<bool> result = started.get_future();
    worker_ = std::thread([this, &started] {
        const int rate =
            espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 40, nullptr, espeakINITIALIZE_DONT_EXIT);
        bool ok = rate > 0 && (espeak_SetVoiceByName(voice_name_.c_str()) == EE_OK ||
                               espeak_SetVoiceByName("en") == EE_OK);
        if (!ok)
            failure_ = rate > 0 ? "espeak-ng has no English voice"
                                : "espeak-ng cannot start (its voice data may be missing)";
        if (ok) {
            espeak_SetSynthCallback(&EspeakSamples::callback);
            audio_.speech_format(rate);
        }
        started.set_value(ok);
        if (ok) work();
    });
    ready_ = result.get();
    if (!ready_) worker_.join();
    return ready_;
}

void EspeakVoice::speak(const std::string& text, int flags) {
    if (!ready_) return;
    trace_line(audio_.trace(), "speak " + text);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (flags & kSpeakPurgingFirst) {
            queue_.clear();
            generation_.store(audio_.speech_restart());
        }
        if (!text.empty()) queue_.emplace_back(generation_.load(), text);
    }
    wake_.notify_all();
}

void EspeakVoice::use_language(const GameLanguage& language) {
    voice_name_ = std::string(language.voice);
}

void EspeakVoice::set_rate(int rate) {
    trace_line(audio_.trace(), "rate " + std::to_string(rate));
    wpm_.store(words_per_minute(rate));
}

bool EspeakVoice::busy() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!queue_.empty() || synthesising_) return true;
    }
    return audio_.speech_pending();
}

void EspeakVoice::work() {
    int applied = 0;
    for (;;) {
        std::pair<uint64_t, std::string> next;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_) break;
            next = std::move(queue_.front());
            queue_.pop_front();
            synthesising_ = true;
        }
        if (const int wpm = wpm_.load(); wpm != applied) {
            espeak_SetParameter(espeakRATE, wpm, 0);
            applied = wpm;
        }
        current_ = next.first;
        espeak_Synth(next.second.c_str(), next.second.size() + 1, 0, POS_CHARACTER, 0,
                     espeakCHARS_UTF8, nullptr, this);
        audio_.speech_end(current_);
        std::lock_guard<std::mutex> lock(mutex_);
        synthesising_ = false;
    }
    // No espeak_Terminate: espeak-ng 1.51 hangs when initialised again after
    // it (tests make several voices); its state ends with the process.
}

int EspeakVoice::take(short* wav, int count) {
    // A newer text has purged this one: stop synthesising it.
    if (current_ != generation_.load()) return 1;
    if (wav && count > 0) audio_.speech_push(current_, wav, count);
    return 0;
}

}  // namespace velloxa
