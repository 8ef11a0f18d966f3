// The desktop program: one window, espeak-ng speech and SDL_mixer sound on
// the same audio device, speech-dispatcher for screen-reader users. Every
// text said is also the window's caption and goes to a braille display.
#include <chrono>
#include <csignal>
#include <iostream>
#include <thread>

#include "flow/game.h"
#include "platform/background_saves.h"
#include "platform/braille/braille_display.h"
#include "platform/data_folder_lock.h"
#include "platform/folders.h"
#include "platform/frontends.h"
#include "platform/null_devices.h"
#include "platform/posix/saves_on_exit.h"
#include "platform/save_notice.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_sound.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/trace.h"
#include "platform/speech/espeak_voice.h"
#include "platform/speech/fallback_voice.h"
#include "platform/speech/speechd_reader.h"
#include "platform/spoken_texts.h"

namespace velloxa {

namespace {

constexpr std::chrono::milliseconds kSpeechPoll{20};
constexpr std::chrono::seconds kLongestMessage{10};  // a device that stalls

// Said aloud as well, since a player may not see standard error.
int refuse_second_copy(EspeakVoice& voice, SpeechdReader& reader) {
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
    EspeakVoice espeak(audio);
    FallbackVoice voice(
        espeak, [&espeak] { return espeak.failure(); }, std::cerr, trace.get());
    SpeechdReader reader(trace.get());
    NoKeyInjector keys;
    SdlSoundDevice sound(audio);
    BackgroundSaves saves;
    SavesOnExit on_exit(saves);
    SaveNotice files(saves, std::cerr);
    window.set_before_end([&on_exit] { on_exit.finish(); });
    BrailleDisplay braille(trace.get(), std::cerr);
    const TextListener heard = [&braille, &window](const std::string& text) {
        braille.show(text);
        window.set_caption(text);
    };
    HeardSpeech speech(voice, reader, window, heard);
    Platform platform = window_platform(window, speech, keys, sound, files);

    const StartOptions start = start_options(cmd);
    const DataFolderLock lock(start.folders.data);
    if (lock.held_elsewhere()) return refuse_second_copy(espeak, reader);
    braille.start(window.x11_window());
    Game game(platform, start);
    // A failed start-up has shown its message and ended the program.
    if (!game.start()) return 1;
    window.start(game);
    window.run();
}

}  // namespace velloxa
