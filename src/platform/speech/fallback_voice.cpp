#include "platform/speech/fallback_voice.h"

#include <algorithm>
#include <utility>

namespace velloxa {

FallbackVoice::FallbackVoice(Voice& voice, std::function<std::string()> failure,
                             std::ostream& notices, Trace* trace, int timeout_ms)
    : voice_(voice),
      failure_(std::move(failure)),
      notices_(notices),
      speechd_(trace, timeout_ms, "voice") {}

bool FallbackVoice::open_voice() {
    if (through_ != Through::untried) return through_ != Through::nothing;
    if (voice_.open_voice()) {
        through_ = Through::voice;
        return true;
    }
    // mutate: voice-no-speechd-fallback
    through_ = speechd_.connect() ? Through::speechd : Through::nothing;
    notices_ << "velloxa: " << failure_() << "; "
             << (through_ == Through::speechd ? "the voice speaks through speech-dispatcher"
                                              : "speech-dispatcher does not run either: no voice")
             << "\n";
    return through_ == Through::speechd;
}

void FallbackVoice::speak(const std::string& text, int flags) {
    if (through_ == Through::voice) return voice_.speak(text, flags);
    if (through_ != Through::speechd) return;
    if (flags & kSpeakPurgingFirst) speechd_.cancel();  // as the voice purges what it says
    if (!text.empty()) speechd_.say(text);
}

void FallbackVoice::use_language(const GameLanguage& language) {
    voice_.use_language(language);
    speechd_.use_language(language);
}

void FallbackVoice::set_rate(int rate) {
    if (through_ == Through::voice) return voice_.set_rate(rate);
    // The voice's speed is 3^(rate/10) times its slowest; speech-dispatcher's
    // rate of 100 is about three times its default: ten per step.
    if (through_ == Through::speechd) speechd_.set_rate(std::clamp(10 * rate, -100, 100));
}

}  // namespace velloxa
