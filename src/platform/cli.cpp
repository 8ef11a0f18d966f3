#include "platform/cli.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include <charconv>
#include <ctime>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "cards/catalogue.h"
#include "flow/game.h"
#include "flow/story.h"
#include "platform/folders.h"
#include "platform/headless/headless.h"

namespace velloxa {

std::string usage() {
#ifdef _WIN32
    // No terminal front-end on Windows: the window is the one way to play,
    // and this console companion is for the command prompt and scripts.
    return "velloxa-cli: Velloxa for the command prompt. Without options it opens the game's\n"
           "window as velloxa.exe does, and waits until it closes; --headless plays a file\n"
           "of keys and writes what the game says and does, for scripts and checks.\n"
           "\n"
           "usage: velloxa-cli [--home DIR] [--seed N] [--headless SCRIPT] [--no-voice]\n"
           "                   [--screen-reader] [--no-sound-device] [--no-title-reader]\n"
           "                   [--dump-content] [--language CODE] [--help] [--version]\n"
           "\n"
           "  --home DIR          folder of progress.ini, debuglog.txt, language.txt and\n"
           "                      sounds/ (the window: the program's when DIR has none)\n"
#else
    return "usage: velloxa [--home DIR] [--seed N] [--headless SCRIPT] [--no-voice]\n"
           "               [--screen-reader] [--no-sound-device] [--no-title-reader]\n"
           "               [--dump-content] [--language CODE] [--terminal] [--board]\n"
           "               [--help] [--version]\n"
           "\n"
           "  --home DIR          folder of progress.ini, debuglog.txt, language.txt and\n"
           "                      sounds/ (window and terminal: the program's when DIR has none)\n"
#endif
           "  --seed N            seed the random generator (0 to 2^64-1)\n"
           "  --headless SCRIPT   play keys from SCRIPT ('-' = standard input), write a\n"
           "                      transcript to standard output\n"
           "  --no-voice          headless: no voice\n"
           "  --screen-reader     headless: a screen reader answers\n"
           "  --no-sound-device   headless: the sound device cannot be created\n"
           "  --no-title-reader   headless: no screen reader reads the window title\n"
           "  --dump-content      print the game content and exit\n"
           "  --language CODE     play in the language CODE (en, es, pt_BR, de, fr, ru,\n"
           "                      zh_CN); the game follows the system's language without\n"
           "                      it, headless runs stay in English\n"
#ifndef _WIN32
           "  --terminal          play in the terminal (for console screen readers)\n"
           "  --board             terminal: print a text board after each change\n"
#endif
           "  --help              show this help\n"
           "  --version           show the version\n";
}

ParsedCommandLine parse_command_line(const std::vector<std::string>& args) {
    ParsedCommandLine p;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) {
                p.error = "option " + a + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        if (a == "--home") {
            if (!value(p.cmd.home)) return p;
            while (p.cmd.home.size() > 1 && p.cmd.home.back() == '/') p.cmd.home.pop_back();
            if (p.cmd.home.empty()) {
                p.error = "option --home needs a folder";
                return p;
            }
        } else if (a == "--seed") {
            std::string v;
            if (!value(v)) return p;
            uint64_t s = 0;
            auto res = std::from_chars(v.data(), v.data() + v.size(), s);
            if (v.empty() || res.ec != std::errc() || res.ptr != v.data() + v.size()) {
                p.error =
                    "option --seed needs a whole number from 0 to 18446744073709551615, not '" + v +
                    "'";
                return p;
            }
            p.cmd.seeded = true;
            p.cmd.seed = s;
        } else if (a == "--headless") {
            if (!value(p.cmd.headless)) return p;
            if (p.cmd.headless.empty()) {
                p.error = "option --headless needs a script file";
                return p;
            }
        } else if (a == "--language") {
            if (!value(p.cmd.language)) return p;
            if (p.cmd.language.empty()) {
                p.error = "option --language needs a language code";
                return p;
            }
        } else if (a == "--no-voice") {
            p.cmd.no_voice = true;
        } else if (a == "--screen-reader") {
            p.cmd.screen_reader = true;
        } else if (a == "--no-sound-device") {
            p.cmd.no_sound_device = true;
        } else if (a == "--no-title-reader") {
            p.cmd.no_title_reader = true;
        } else if (a == "--dump-content") {
            p.cmd.dump_content = true;
#ifdef _WIN32
        } else if (a == "--terminal" || a == "--board") {
            p.error = "option " + a + " is not available on Windows; the game plays in its window";
            return p;
#else
        } else if (a == "--terminal") {
            p.cmd.terminal = true;
        } else if (a == "--board") {
            p.cmd.board = true;
#endif
        } else if (a == "--help" || a == "-h") {
            p.help = true;
        } else if (a == "--version") {
            p.version = true;
        } else {
            p.error = "unknown option " + a;
            return p;
        }
    }
    return p;
}

std::string dump_content() {
    std::ostringstream out;
    int index = 0;
    for (const Tile& t : tile_content()) {
        out << "card\t" << ++index << '\t' << t.name << '\t' << t.description << '\t'
            << t.collection << '\t' << t.sound << '\t' << t.capture << '\t' << t.enemy_capture
            << '\t' << t.up << '\t' << t.right << '\t' << t.down << '\t' << t.left << '\t'
            << t.rarity << '\n';
    }
    for (const FormerName& f : former_names())
        out << "former\t" << f.index << '\t' << f.name << '\n';
    int opponent = 0;
    for (const OpponentStory& s : story_content()) {
        ++opponent;
        out << "story\t" << opponent << "\tsofar\t" << s.so_far << '\n';
        out << "story\t" << opponent << "\tintro\t" << s.intro << '\n';
        if (opponent != 11) out << "story\t" << opponent << "\tcoinflip\t" << s.coin_flip << '\n';
        if (opponent != 1) out << "story\t" << opponent << "\tgoback\t" << s.go_back << '\n';
    }
    return out.str();
}

// The Windows build has its own in platform/windows/.
#ifndef _WIN32
uint64_t seconds_since_midnight() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<uint64_t>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
}

std::string executable_folder() {
    std::string buf(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return ".";
    buf.resize(static_cast<size_t>(n));
    const auto slash = buf.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return buf.substr(0, slash);
}
#endif

int run_headless(const CommandLine& cmd) {
    std::string text;
    if (cmd.headless == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::ifstream in(cmd.headless, std::ios::binary);
        if (!in) {
            std::cerr << "velloxa: cannot read the key script " << cmd.headless << "\n";
            return 2;
        }
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<ScriptEvent> script;
    try {
        script = parse_script(text);
    } catch (const ScriptError& e) {
        std::cerr << "velloxa: " << cmd.headless << ": " << e.what() << "\n";
        return 2;
    }
    HeadlessOptions options;
    options.voice = !cmd.no_voice;
    options.screen_reader = cmd.screen_reader;
    options.sound_device = !cmd.no_sound_device;
    options.title_reader = !cmd.no_title_reader;
    Headless host(std::move(script), options, std::cout);
    Platform platform = host.platform();
    Game game(platform, start_options(cmd));
    if (game.start()) host.run(game);
    std::cout.flush();
    return 0;
}

}  // namespace velloxa
