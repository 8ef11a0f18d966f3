#include <exception>
#include <string>

#include "cards/numbers.h"
#include "io/debug_log.h"
#include "io/keycodes.h"
#include "io/output.h"

namespace velloxa {

void Output::say(std::string text) {
    // Each call to the outside world is guarded on its own: a failure is
    // logged and the next one still runs, so the key block of route 2 is
    // always lifted again.
    const auto guarded = [this](auto&& step) {
        try {
            step();
        } catch (const std::exception& e) {
            append_debug_log(std::string(log_text::kSpeakFailed) + e.what());
        }
    };
    // The state is read afresh at every step: a yield may let a key change it.
    // mutate: speech-untranslated
    if (language_.entry_count != 0) guarded([&] { translate(text); });

    if (speech_.speech_route == SpeechRoute::Voice) {
        if (speech_.voice_available) {
            guarded([&] { platform_.voice.speak(text, kSpeakInterrupting); });
        } else {
            guarded([&] { platform_.window.set_title(text); });
        }
        guarded([&] { platform_.clock.yield(); });
    }

    if (speech_.speech_route == SpeechRoute::WindowTitle ||
        speech_.speech_route == SpeechRoute::TitleAndChord) {
        // A title set to what it already shows would not be announced again.
        bool same = false;
        guarded([&] { same = platform_.window.title() == text; });
        if (same) {  // mutate: speech-title-not-repeated
            guarded([&] { platform_.window.set_title(" " + text); });
            guarded([&] { platform_.clock.yield(); });
        }
        guarded([&] { platform_.window.set_title(text); });
    }

    if (speech_.speech_route == SpeechRoute::TitleAndChord) {
        speech_.sending_chord = true;  // mutate: speech-chord-unguarded
        guarded([&] { platform_.keys.press(key::Ctrl); });
        guarded([&] { platform_.keys.press(key::Shift); });
        guarded([&] { platform_.keys.press(key::LetterT); });
        guarded([&] { platform_.clock.yield(); });
        guarded([&] { platform_.keys.release(key::Ctrl); });
        guarded([&] { platform_.keys.release(key::Shift); });
        guarded([&] { platform_.keys.release(key::LetterT); });
        speech_.sending_chord = false;
        guarded([&] { platform_.clock.yield(); });
    }

    if (speech_.speech_route == SpeechRoute::ScreenReader) {
        bool lost = false;
        guarded([&] {
            try {
                platform_.reader.say(text);
            } catch (const ScreenReaderLost&) {
                lost = true;
                throw;
            }
        });
        // A reader that stopped answering mid-game would leave the player in
        // silence: back to the voice, as Tab does when no reader answers.
        if (lost) {
            speech_.reader_available = false;
            speech_.speech_route = SpeechRoute::Voice;
            reset_title(version_);
            say(tr("Jaws does not seem to be responding, Sapi on."));
        }
    }
}

void Output::create_voice() {
    speech_.voice_available = true;
    try {
        if (!platform_.voice.open_voice()) speech_.voice_available = false;
    } catch (const std::exception&) {
        speech_.voice_available = false;
    }
}

void Output::start_voice(double rate) {
    speech_.voice_available = false;
    create_voice();
    if (speech_.voice_available && !platform_.voice.open_voice()) speech_.voice_available = false;
    speech_.voice_rate = rate;
    if (speech_.voice_available)
        platform_.voice.set_rate(static_cast<int>(whole_part(speech_.voice_rate)));
}

void Output::probe_screen_reader() {
    speech_.reader_available = false;
    try {
        speech_.reader_available = platform_.reader.connect();
    } catch (const std::exception&) {
        // A reader that cannot be reached counts as absent.
    }
}

void Output::cancel_reader() {
    // Only this route's texts are the reader's own; on the title routes the
    // screen reader is reading the title.
    if (speech_.speech_route != SpeechRoute::ScreenReader || !speech_.reader_available) return;
    try {
        platform_.reader.cancel();
    } catch (const std::exception& e) {
        append_debug_log(std::string(log_text::kReaderCancelFailed) + e.what());
    }
}

void Output::reset_title(const std::string& version) {
    try {
        platform_.window.restore_title(tr("Nebbin's Velloxa (v{version})", {{"version", version}}));
    } catch (const std::exception&) {
        // The title is only a courtesy to screen readers.
    }
}

}  // namespace velloxa
