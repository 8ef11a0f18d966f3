#include <exception>
#include <string>

#include "flow/game.h"
#include "io/numbers.h"

namespace velloxa {

namespace {

constexpr int kCtrl = 0x11, kShift = 0x10, kT = 0x54;

}  // namespace

void Game::sayit(std::string tempm) {
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
    if (language.langcount != 0) guarded([&] { Translate(tempm); });

    if (speech.speechmode == 0) {
        if (speech.sapion == 1) {
            guarded([&] { platform.voice.speak(tempm, 3); });
        } else {
            guarded([&] { platform.window.set_title(tempm); });
        }
        guarded([&] { platform.clock.yield(); });
    }

    if (speech.speechmode == 1 || speech.speechmode == 2) {
        // A title set to what it already shows would not be announced again.
        bool same = false;
        guarded([&] { same = platform.window.title() == tempm; });
        if (same) {
            guarded([&] { platform.window.set_title(" " + tempm); });
            guarded([&] { platform.clock.yield(); });
        }
        guarded([&] { platform.window.set_title(tempm); });
    }

    if (speech.speechmode == 2) {
        speech.sendingkeys = 1;
        guarded([&] { platform.keys.press(kCtrl); });
        guarded([&] { platform.keys.press(kShift); });
        guarded([&] { platform.keys.press(kT); });
        guarded([&] { platform.clock.yield(); });
        guarded([&] { platform.keys.release(kCtrl); });
        guarded([&] { platform.keys.release(kShift); });
        guarded([&] { platform.keys.release(kT); });
        speech.sendingkeys = 0;
        guarded([&] { platform.clock.yield(); });
    }

    if (speech.speechmode == 3) guarded([&] { platform.reader.say(tempm); });
}

void Game::setupsapi() {
    speech.sapion = 1;
    try {
        if (!platform.voice.create()) speech.sapion = 0;
    } catch (const std::exception&) {
        speech.sapion = 0;
    }
}

void Game::loadjaws() {
    speech.jawson = -1;
    try {
        if (platform.reader.create()) speech.jawson = 1;
    } catch (const std::exception&) {
        // A reader that cannot be reached counts as absent.
    }
    if (speech.jawson == -1) speech.jawson = 0;
}

void Game::resettitle() {
    try {
        platform.window.set_title("Nebbin's Velloxa (v" + ui.version + ")");
    } catch (const std::exception&) {
        // The title is only a courtesy to screen readers.
    }
}

void Game::nextroute() {
    speech.speechmode += 1;
    if (speech.speechmode > 3) speech.speechmode = 0;
    if (speech.speechmode == 0) {
        resettitle();
        sayit("Sapi on");
    }
    if (speech.speechmode == 1) sayit("NVDA");
    if (speech.speechmode == 2) sayit("Window eyes support");
    if (speech.speechmode == 3 && speech.jawson == 1) {
        resettitle();
        sayit("Jaws");
    }
    if (speech.speechmode == 3 && speech.jawson == 0) {
        // No reader answers: back to the voice instead of falling silent.
        speech.speechmode = 0;
        resettitle();
        sayit("Jaws does not seem to be responding, Sapi on.");
    }
    saveprogress();
}

void Game::changerate(int delta) {
    speech.sapirate += delta;
    if (speech.sapirate > 10) speech.sapirate = 10;
    if (speech.sapirate < 1) speech.sapirate = 1;
    if (speech.sapion == 1) {
        try {
            platform.voice.set_rate(static_cast<int>(wholepart(speech.sapirate)));
        } catch (const std::exception&) {
            // The voice keeps its old rate; the new one is still saved.
        }
    }
    sayit("Sapi rate changed to " + num(speech.sapirate) + ".");
    saveprogress();
}

}  // namespace velloxa
