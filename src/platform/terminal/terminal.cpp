// The game in a text terminal, for console screen readers and braille
// displays, also over SSH where no window can open.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "flow/game.h"
#include "platform/frontends.h"
#include "platform/null_devices.h"
#include "platform/session.h"
#include "platform/spoken_texts.h"
#include "platform/terminal/raw_mode.h"
#include "platform/terminal/terminal_host.h"

namespace velloxa {

namespace {

// VELLOXA_NO_AUDIO=1 (or SDL's dummy driver) leaves the audio device, the
// voice engine and the speech server alone: every text is printed.
bool audio_wanted() {
    const char* no = std::getenv("VELLOXA_NO_AUDIO");
    if (no != nullptr && *no != '\0' && std::string(no) != "0") return false;
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    return driver == nullptr || std::string(driver) != "dummy";
}

// Titles and key protocol switches only go to a terminal that takes them;
// the Linux console would print them as text.
bool capable_terminal() {
    if (!::isatty(1)) return false;
    const char* term = std::getenv("TERM");
    const std::string name = term != nullptr ? term : "";
    return !name.empty() && name != "dumb" && name.rfind("linux", 0) != 0;
}

// Sound libraries report a missing device on standard error, line after
// line, into the very terminal a screen reader is reading: they are kept
// quiet while the devices are probed.
class Muffle {
  public:
    Muffle() : saved_(::fcntl(2, F_DUPFD_CLOEXEC, 0)) {
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0) ::dup2(null, 2);
        if (null >= 0) ::close(null);
    }
    ~Muffle() {
        if (saved_ < 0) return;
        ::dup2(saved_, 2);
        ::close(saved_);
    }
    Muffle(const Muffle&) = delete;
    Muffle& operator=(const Muffle&) = delete;

  private:
    int saved_;
};

int play(const CommandLine& cmd, TerminalHost& host) {
    Session session(cmd, std::cerr);
    if (!session.lock()) {
        std::cerr << "velloxa: " << kDataFolderInUse << "\n";
        return 1;
    }
    NoScreenReader no_reader;
    SilentSound silent;
    SdlAudio& audio = session.audio();

    // Without an audio device the game still runs: silent, every text printed.
    const bool wanted = audio_wanted();
    // The terminal's own handlers put the terminal back on a signal.
    ::setenv("SDL_NO_SIGNAL_HANDLERS", "1", 0);
    bool sounding = false;
    if (wanted) {
        Muffle quiet;
        sounding = audio.open();
    }
    if (wanted && !sounding)
        std::cerr << "velloxa: no audio device (" << audio.error()
                  << "): no sound, and every text is printed\n";
    // Each text is printed on the voice route too, for a braille display.
    PrintingVoice voice(host, sounding ? &session.speech().voice() : nullptr);
    SoundDevice& sound = sounding ? session.sound() : silent;
    // The screen-reader route prints each text too: a braille display on the
    // console shows it, whatever speech-dispatcher does with it.
    HeardReader reader(wanted ? session.speech().reader() : no_reader,
                       [&host](const std::string& text) {
                           if (!text.empty()) host.print(text);
                       });
    host.set_before_end([&audio, &session] {
        session.finish_saves();
        audio.close();
    });
    struct Forget {
        TerminalHost& host;
        ~Forget() { host.set_before_end(nullptr); }
    } forget{host};
    FileStore& files = session.files();
    Platform platform{.clock = host,
                      .window = host,
                      .voice = voice,
                      .reader = reader,
                      .keys = host,
                      .sound = sound,
                      .canvas = host,
                      .msgbox = host,
                      .process = host,
                      .files = files};
    Game game(platform, session.start());
    host.set_names([&game](int t) { return game.catalogue().tile(t).name; });
    bool started = false;
    {
        Muffle quiet;  // the speech server is probed here
        started = game.start();
    }
    if (started) host.run(game);
    return 0;
}

}  // namespace

int run_terminal(const CommandLine& cmd) {
    TerminalOptions options;
    options.control = capable_terminal() ? 1 : -1;
    options.board = cmd.board;
    TerminalHost host(options);
    const bool raw = raw_mode::enter(0, options.control);
    int code = 1;
    try {
        if (raw) host.negotiate(300);
        code = play(cmd, host);
    } catch (const std::exception& e) {
        raw_mode::leave();
        std::cerr << "velloxa: " << e.what() << "\n";
        return 1;
    }
    raw_mode::leave();
    return code;
}

}  // namespace velloxa
