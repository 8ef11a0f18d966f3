#include "flow/speech_settings.h"

#include <algorithm>
#include <exception>

#include "cards/numbers.h"

namespace velloxa {

void SpeechSettings::next_speech_route() {
    // Read afresh at every step: a text said on the reader's route may
    // switch to the voice.
    const Speech& speech = out_.speech();
    out_.set_speech_route(speech.speech_route == SpeechRoute::ScreenReader
                              ? SpeechRoute::Voice
                              : speech_route_from_number(number_of(speech.speech_route) + 1));
    if (needs_title_reader(speech.speech_route) && !platform_.window.title_is_read())
        out_.set_speech_route(SpeechRoute::ScreenReader);
    if (speech.speech_route == SpeechRoute::Voice) {
        out_.reset_title(version_);
        out_.say(out_.tr("Sapi on"));
    }
    if (speech.speech_route == SpeechRoute::WindowTitle) out_.say(out_.tr("NVDA"));
    if (speech.speech_route == SpeechRoute::TitleAndChord) out_.say(out_.tr("Window eyes support"));
    // A screen reader started after the game is found here.
    if (speech.speech_route == SpeechRoute::ScreenReader) out_.probe_screen_reader();
    if (speech.speech_route == SpeechRoute::ScreenReader && speech.reader_available) {
        out_.reset_title(version_);
        out_.say(out_.tr("Jaws"));
    }
    if (speech.speech_route == SpeechRoute::ScreenReader && !speech.reader_available) {
        // No reader answers: back to the voice instead of falling silent.
        out_.set_speech_route(SpeechRoute::Voice);
        out_.reset_title(version_);
        out_.say(out_.tr("Jaws does not seem to be responding, Sapi on."));
    }
    save_();
}

void SpeechSettings::change_voice_rate(int delta) {
    const Speech& speech = out_.speech();
    out_.set_voice_rate(std::clamp(speech.voice_rate + delta, 1.0, 10.0));
    if (speech.voice_available) {
        try {
            platform_.voice.set_rate(static_cast<int>(whole_part(speech.voice_rate)));
        } catch (const std::exception&) {
            // The voice keeps its old rate; the new one is still saved.
        }
    }
    out_.say(out_.tr("Sapi rate changed to {rate}.", {{"rate", num(speech.voice_rate)}}));
    save_();
}

}  // namespace velloxa
