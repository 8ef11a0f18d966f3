// The desktop program: one window, espeak-ng speech and SDL_mixer sound on
// the same audio device, speech-dispatcher for screen-reader users.
#include <csignal>
#include <iostream>

#include "flow/game.h"
#include "platform/folders.h"
#include "platform/frontends.h"
#include "platform/posix_files.h"
#include "platform/save_notice.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_sound.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/trace.h"
#include "platform/speech/espeak_voice.h"
#include "platform/speech/speechd_reader.h"

namespace velloxa {

int run_desktop(const CommandLine& cmd) {
    std::signal(SIGPIPE, SIG_IGN);
    const std::unique_ptr<Trace> trace = Trace::from_environment();
    trace_line(trace.get(), "start");
    SdlAudio audio(trace.get());
    SdlWindow window(audio, trace.get());
    std::string error;
    if (!window.open(error)) {
        std::cerr << "velloxa: cannot open a window (" << error
                  << "); use --terminal to play in the terminal\n";
        return 1;
    }
    EspeakVoice voice(audio);
    SpeechdReader reader(trace.get());
    NoKeyInjector keys;
    SdlSoundDevice sound(audio);
    PosixFiles posixfiles;
    SaveNotice files(posixfiles, std::cerr);
    Platform platform{window, window, voice, reader, keys, sound, window, window, window, files};

    StartOptions start;
    start.folders = choose_folders(cmd);
    start.seed = cmd.seeded ? cmd.seed : seconds_since_midnight();
    Game game(platform, start);
    // A failed start-up has shown its message and ended the program.
    if (!game.start()) return 1;
    window.start(game);
    window.run();
}

}  // namespace velloxa
