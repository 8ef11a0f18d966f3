#include <exception>
#include <string>

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
            append_debug_log(std::string("error in sayit: ") + e.what());
        }
    };
    // The state is read afresh at every step: a yield may let a key change it.
    // mutate: speech-untranslated
    if (language.entry_count != 0) guarded([&] { translate(text); });

    if (speech.speech_route == SpeechRoute::Voice) {
        if (speech.voice_available) {
            guarded([&] { platform.voice.speak(text, kSpeakInterrupting); });
        } else {
            guarded([&] { platform.window.set_title(text); });
        }
        guarded([&] { platform.clock.yield(); });
    }

    if (speech.speech_route == SpeechRoute::WindowTitle ||
        speech.speech_route == SpeechRoute::TitleAndChord) {
        // A title set to what it already shows would not be announced again.
        bool same = false;
        guarded([&] { same = platform.window.title() == text; });
        if (same) {  // mutate: speech-title-not-repeated
            guarded([&] { platform.window.set_title(" " + text); });
            guarded([&] { platform.clock.yield(); });
        }
        guarded([&] { platform.window.set_title(text); });
    }

    if (speech.speech_route == SpeechRoute::TitleAndChord) {
        speech.sending_chord = true;  // mutate: speech-chord-unguarded
        guarded([&] { platform.keys.press(key::Ctrl); });
        guarded([&] { platform.keys.press(key::Shift); });
        guarded([&] { platform.keys.press(key::LetterT); });
        guarded([&] { platform.clock.yield(); });
        guarded([&] { platform.keys.release(key::Ctrl); });
        guarded([&] { platform.keys.release(key::Shift); });
        guarded([&] { platform.keys.release(key::LetterT); });
        speech.sending_chord = false;
        guarded([&] { platform.clock.yield(); });
    }

    if (speech.speech_route == SpeechRoute::ScreenReader) {
        bool lost = false;
        guarded([&] {
            try {
                platform.reader.say(text);
            } catch (const ScreenReaderLost&) {
                lost = true;
                throw;
            }
        });
        // A reader that stopped answering mid-game would leave the player in
        // silence: back to the voice, as Tab does when no reader answers.
        if (lost) {
            speech.reader_available = false;
            speech.speech_route = SpeechRoute::Voice;
            reset_title(version);
            say("Jaws does not seem to be responding, Sapi on.");
        }
    }
}

void Output::create_voice() {
    speech.voice_available = true;
    try {
        if (!platform.voice.open_voice()) speech.voice_available = false;
    } catch (const std::exception&) {
        speech.voice_available = false;
    }
}

void Output::probe_screen_reader() {
    speech.reader_available = false;
    try {
        speech.reader_available = platform.reader.connect();
    } catch (const std::exception&) {
        // A reader that cannot be reached counts as absent.
    }
}

void Output::cancel_reader() {
    // Only this route's texts are the reader's own; on the title routes the
    // screen reader is reading the title.
    if (speech.speech_route != SpeechRoute::ScreenReader || !speech.reader_available) return;
    try {
        platform.reader.cancel();
    } catch (const std::exception& e) {
        append_debug_log(std::string("error in cancel: ") + e.what());
    }
}

void Output::reset_title(const std::string& version) {
    try {
        platform.window.restore_title("Nebbin's Velloxa (v" + version + ")");
    } catch (const std::exception&) {
        // The title is only a courtesy to screen readers.
    }
}

}  // namespace velloxa
