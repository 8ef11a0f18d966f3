// The texts as the player hears them: the espeak-ng English voice the game
// speaks with, timed in samples and transcribed into phonemes.
#pragma once

#include <espeak-ng/speak_lib.h>

#include <string>
#include <vector>

#include "cards/text.h"
#include "platform/speech/espeak_voice.h"

namespace velloxa {

// espeak-ng keeps one global state per process; the test programs start it once.
class Espeak {
  public:
    static Espeak& english() {
        static Espeak voice;
        return voice;
    }

    bool ready() const { return rate_ > 0; }

    // The samples the voice makes of `text` at `wpm` words per minute, full
    // scale at +-1, at rate() samples a second.
    std::vector<double> samples(const std::string& text, int wpm) {
        espeak_SetParameter(espeakRATE, wpm, 0);
        std::vector<double> heard;
        espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                     &heard);
        return heard;
    }

    // Seconds of audio the voice makes of `text` at `wpm` words per minute,
    // counted in samples, so the figure does not depend on the machine.
    double seconds(const std::string& text, int wpm) {
        return static_cast<double>(samples(text, wpm).size()) / rate_;
    }

    int rate() const { return rate_; }

    // The words of `text` as the voice transcribes them, one IPA symbol per
    // character. Stress and length marks are dropped: they shift with the
    // sentence around a name and do not tell two names apart.
    std::vector<std::u32string> phonemes(const std::string& text) {
        std::string ipa;
        for (const void* rest = text.c_str(); rest != nullptr;)
            if (const char* clause = espeak_TextToPhonemes(&rest, espeakCHARS_UTF8, kIpa))
                ipa += std::string(clause) + ' ';
        std::vector<std::u32string> words(1);
        for (const char32_t symbol : code_points(ipa)) {
            if (symbol == U' ') {
                if (!words.back().empty()) words.emplace_back();
            } else if (symbol != U'\u02C8' && symbol != U'\u02CC' && symbol != U'\u02D0') {
                words.back() += symbol;
            }
        }
        if (words.back().empty()) words.pop_back();
        return words;
    }

  private:
    static constexpr int kIpa = 0x02;  // espeakPHONEMES_IPA

    Espeak() {
        rate_ =
            espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 40, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (rate_ <= 0 || espeak_SetVoiceByName("en") != EE_OK) {
            rate_ = 0;
            return;
        }
        espeak_SetSynthCallback([](short* wave, int count, espeak_EVENT* events) {
            if (wave != nullptr && events != nullptr && events->user_data != nullptr) {
                auto& heard = *static_cast<std::vector<double>*>(events->user_data);
                for (int i = 0; i < count; ++i) heard.push_back(wave[i] / 32768.0);
            }
            return 0;
        });
    }
    int rate_ = 0;
};

// The slowest rate the speech keys allow: every text is timed at it, since
// a player who slows the voice down hears each one for longest.
inline int slowest_wpm() {
    return words_per_minute(1);
}

}  // namespace velloxa
