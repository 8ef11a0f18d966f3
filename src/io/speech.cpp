#include <exception>
#include <string>

#include "io/keycodes.h"
#include "io/output.h"

namespace velloxa {

void Output::sayit(std::string text) {
    // Each call to the outside world is guarded on its own: a failure is
    // logged and the next one still runs, so the key block of route 2 is
    // always lifted again.
    const auto guarded = [this](auto&& step) {
        try {
            step();
        } catch (const std::exception& e) {
            debuglog(std::string("error in sayit: ") + e.what());
        }
    };
    // The state is read afresh at every step: a yield may let a key change it.
    if (language.langcount != 0) guarded([&] { Translate(text); });

    if (speech.speechmode == kVoiceRoute) {
        if (speech.voiceon) {
            guarded([&] { platform.voice.speak(text, kSpeakInterrupting); });
        } else {
            guarded([&] { platform.window.set_title(text); });
        }
        guarded([&] { platform.clock.yield(); });
    }

    if (speech.speechmode == kTitleRoute || speech.speechmode == kChordRoute) {
        // A title set to what it already shows would not be announced again.
        bool same = false;
        guarded([&] { same = platform.window.title() == text; });
        if (same) {
            guarded([&] { platform.window.set_title(" " + text); });
            guarded([&] { platform.clock.yield(); });
        }
        guarded([&] { platform.window.set_title(text); });
    }

    if (speech.speechmode == kChordRoute) {
        speech.sendingkeys = true;
        guarded([&] { platform.keys.press(key::Ctrl); });
        guarded([&] { platform.keys.press(key::Shift); });
        guarded([&] { platform.keys.press(key::LetterT); });
        guarded([&] { platform.clock.yield(); });
        guarded([&] { platform.keys.release(key::Ctrl); });
        guarded([&] { platform.keys.release(key::Shift); });
        guarded([&] { platform.keys.release(key::LetterT); });
        speech.sendingkeys = false;
        guarded([&] { platform.clock.yield(); });
    }

    if (speech.speechmode == kReaderRoute) {
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
            speech.readeron = false;
            speech.speechmode = kVoiceRoute;
            resettitle(version);
            sayit("Jaws does not seem to be responding, Sapi on.");
        }
    }
}

void Output::setupsapi() {
    speech.voiceon = true;
    try {
        if (!platform.voice.create()) speech.voiceon = false;
    } catch (const std::exception&) {
        speech.voiceon = false;
    }
}

void Output::loadjaws() {
    speech.readeron = false;
    try {
        speech.readeron = platform.reader.create();
    } catch (const std::exception&) {
        // A reader that cannot be reached counts as absent.
    }
}

void Output::cancelreader() {
    // Only this route's texts are the reader's own; on the title routes the
    // screen reader is reading the title.
    if (speech.speechmode != kReaderRoute || !speech.readeron) return;
    try {
        platform.reader.cancel();
    } catch (const std::exception& e) {
        debuglog(std::string("error in cancel: ") + e.what());
    }
}

void Output::resettitle(const std::string& version) {
    try {
        platform.window.set_title("Nebbin's Velloxa (v" + version + ")");
    } catch (const std::exception&) {
        // The title is only a courtesy to screen readers.
    }
}

}  // namespace velloxa
