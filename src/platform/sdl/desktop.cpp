// The desktop program: one window, espeak-ng speech and SDL_mixer sound on
// the same audio device, speech-dispatcher for screen-reader users. Every
// text said is also the window's caption and goes to a braille display.
#include <chrono>
#include <csignal>
#include <iostream>
#include <thread>

#include "flow/game.h"
#include "platform/frontends.h"
#include "platform/null_devices.h"
#include "platform/sdl/sdl_window.h"
#include "platform/session.h"
#include "platform/spoken_texts.h"

namespace velloxa {

namespace {

constexpr std::chrono::milliseconds kSpeechPoll{20};
constexpr std::chrono::seconds kLongestMessage{10};  // a device that stalls

// Said aloud as well, since a player may not see standard error.
int refuse_second_copy(EngineVoice& voice, ScreenReader& reader) {
    std::cerr << "velloxa: " << kDataFolderInUse << "\n";
    if (reader.connect()) {
        reader.say(kDataFolderInUse);  // sent before the reader closes
    } else if (voice.open_voice()) {
        voice.speak(kDataFolderInUse, kSpeakInterrupting);
        const auto limit = std::chrono::steady_clock::now() + kLongestMessage;
        while (voice.busy() && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(kSpeechPoll);
    }
    return 1;
}

}  // namespace

int run_desktop(const CommandLine& cmd) {
    std::signal(SIGPIPE, SIG_IGN);
    Session session(cmd, std::cerr);
    Trace* const trace = session.trace();
    trace_line(trace, "start");
    SdlWindow window(session.audio(), trace);
    std::string error;
    if (!window.open(error)) {
        std::cerr << "velloxa: cannot open a window (" << error
                  << "); use --terminal to play in the terminal\n";
        return 1;
    }
    EngineVoice& engine = session.speech().voice();
    ScreenReader& reader = session.speech().reader();
    NoKeyInjector keys;
    window.set_before_end([&session] { session.finish_saves(); });
    BrailleDisplay& braille = session.braille();
    const TextListener heard = [&braille, &window](const std::string& text) {
        braille.show(text);
        window.set_caption(text);
    };
    HeardSpeech speech(session.voice_or_server(), reader, window, heard);
    Platform platform = window_platform(window, speech, keys, session.sound(), session.files());

    if (!session.lock()) return refuse_second_copy(engine, reader);
    braille.start(window.x11_window());
    Game game(platform, session.start());
    // A failed start-up has shown its message and ended the program.
    if (!game.start()) return 1;
    window.start(game);
    window.run();
}

}  // namespace velloxa
