// Writes a corpus of random games for comparing two builds of the program:
//   corpus CONTENT_DUMP OUTPUT_FOLDER COUNT
// Each case N gets OUTPUT_FOLDER/N/ with
//   script.txt  random key presses across menus, battles, campaign and deck
//   options     extra command-line options, one per line (seed, probes)
//   homename    the name of the home folder (letters from many scripts)
//   home/       the files the game starts with: sounds, progress.ini,
//               language.txt, each present or not, sometimes damaged
// A case whose home/ is missing runs with a home folder that does not
// exist. The same count always gives the same corpus.
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/random.h"

namespace {

namespace fs = std::filesystem;

// The game's own generator, with the draws a corpus needs.
class Generator : public velloxa::Random {
  public:
    using Random::Random;
    uint64_t next() { return next_u64(); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    const T& pick(const std::vector<T>& items) {
        return items[static_cast<size_t>(below(static_cast<int>(items.size())))];
    }
};

void write(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::vector<std::string> tilenames(const std::string& dump) {
    std::ifstream in(dump, std::ios::binary);
    std::vector<std::string> names;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string kind, index, name;
        std::getline(fields, kind, '\t');
        std::getline(fields, index, '\t');
        std::getline(fields, name, '\t');
        if (kind == "card" || kind == "former") names.push_back(name);
    }
    return names;
}

// One key line. Weighted towards the keys that move a game forward.
std::string randomkey(Generator& g) {
    static const std::vector<std::string> menu = {"Down",  "Down",  "Down",  "Up",         "Enter",
                                                  "Enter", "Enter", "Right", "Shift+Enter"};
    static const std::vector<std::string> board = {"Up", "Down", "Left", "Right", "1", "2", "3",
                                                   "4",  "5",    "6",    "0",     "Z", "S", "A",
                                                   "W",  "D",    "X",    "C",     "E", "Q", "H"};
    static const std::vector<std::string> speech = {"Tab",   "PageUp", "PageDown",  "Ctrl",
                                                    "Shift", "Alt",    "Shift+Ctrl"};
    const int roll = g.below(100);
    std::string key;
    if (roll < 40) {
        key = g.pick(menu);
    } else if (roll < 58) {
        key = "Shift+" + std::to_string(1 + g.below(5));
    } else if (roll < 82) {
        key = g.pick(board);
    } else if (roll < 88) {
        key = g.pick(speech);
    } else if (roll < 94) {
        key = "Escape";
    } else if (roll < 95) {
        // Leaves the battle with "Exit" current: rarer, or most games end here.
        key = g.chance(30) ? "Shift+Escape" : "Escape";
    } else if (roll < 97) {
        key = "Ctrl+" + std::to_string(g.below(10));
    } else {
        key = "vk" + std::to_string(g.below(256));
    }
    // Some keys arrive in the middle of waits and speech.
    if (g.chance(12)) {
        const int tenths = g.below(25);
        key = "+" + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " " + key;
    }
    return key;
}

std::string script(Generator& g) {
    std::string text = "# generated\n";
    // Most games head into a battle first: instant action, a new campaign
    // (begun, then its first challenge) or the saved one.
    const int opening = g.below(10);
    if (opening < 4) text += "Down\nDown\nDown\nEnter\n";
    if (opening >= 4 && opening < 7) text += "Down\nShift+Enter\nDown\nDown\nEnter\nDown\nEnter\n";
    if (opening == 7) text += "Down\nDown\nEnter\nEnter\n";
    if (opening == 8) text += "Down\nDown\nDown\nDown\nDown\nDown\n";
    const int count = 30 + g.below(350);
    for (int i = 0; i < count; ++i) text += randomkey(g) + "\n";
    return text;
}

std::string number(Generator& g) {
    static const std::vector<std::string> odd = {"",  " 3 ", "2.5",         "-1", "1e3", "abc",
                                                 "7", "0",   "99999999999", "+4", ".5",  "\t2"};
    if (g.chance(80)) return std::to_string(g.below(6));
    return g.pick(odd);
}

std::string progress(Generator& g, const std::vector<std::string>& names) {
    const std::string end = g.chance(80) ? "\r\n" : (g.chance(50) ? "\n" : "\r");
    std::string text = g.chance(10) ? "\xEF\xBB\xBF" : "";
    text += std::to_string(g.below(5) - (g.chance(5) ? 2 : 0)) + end;  // route
    text += number(g) + end;                                           // difficulty
    text += std::to_string(g.below(12)) + end;                         // rate
    text +=
        (g.chance(85) ? "sounds" : g.pick(std::vector<std::string>{"alt", "", "sounds "})) + end;
    text += number(g) + end;
    text += std::to_string(g.below(12)) + end;  // opponent
    if (g.chance(10)) return text;              // ends early
    const int unlocked = 5 + g.below(30);
    text += std::to_string(unlocked) + end;
    for (int i = 0; i < unlocked; ++i) {
        if (g.chance(3)) {
            text += "No Such Tile" + end;  // stops the reading: a backup is kept
        } else {
            text += g.pick(names) + end;
        }
    }
    for (int slot = 0; slot < 5; ++slot) text += (g.chance(10) ? "" : g.pick(names)) + end;
    return text;
}

std::string language(Generator& g) {
    static const std::vector<std::pair<std::string, std::string>> pairs = {
        {"Sapi on", "Voix allumée"},
        {"Good luck", "Viel Glück, $T"},
        {"New game", "Neues Spiel"},
        {"*drop*", "Fall: $T"},
        {"Welcome*", "Välkommen till spelet, $T"},
        {"Exit", "Salir"},
        {"You drop * onto spot #, #.", "Du legst $T ab."},
        {"[A-M]*", "Früh: $T"},
        {"Enemy*", "Gegner \xE2\x80\x94 $T"},
        {"*.", "$T!"},
        {"How to play", "\xE9\x81\x8A\xE3\x81\xB3\xE6\x96\xB9"},
        {"Sapi rate changed to *", "Tempo $T"},
        {"?????", "cinq"},
        {"[!a-z]*", "$T$T"},
    };
    std::string text;
    const int count = 1 + g.below(6);
    for (int i = 0; i < count; ++i) {
        const auto& [from, to] = g.pick(pairs);
        text += from + "\r\n" + to + "\r\n";
    }
    if (g.chance(15)) text += "\xC4pfel \xE9t\xE9\r\nWindows-1252 text\r\n";  // not UTF-8
    return text;
}

void sounds(Generator& g, const fs::path& home, const std::string& folder,
            const std::vector<std::string>& files) {
    for (const std::string& file : files)
        if (g.chance(90)) write(home / folder / file, "");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: corpus CONTENT_DUMP OUTPUT_FOLDER COUNT\n";
        return 2;
    }
    const std::vector<std::string> names = tilenames(argv[1]);
    const fs::path out = argv[2];
    const int count = std::stoi(argv[3]);
    if (names.empty()) {
        std::cerr << "corpus: no tile names in " << argv[1] << "\n";
        return 2;
    }
    std::vector<std::string> soundfiles = {"menu/arrows.wav", "menu/enter.wav", "capture.wav"};
    for (int n = 1; n <= 4; ++n) soundfiles.push_back("drop" + std::to_string(n) + ".wav");
    {
        std::ifstream in(argv[1], std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::array<std::string, 6> field;
            for (auto& f : field) std::getline(fields, f, '\t');
            if (field[0] == "card" && !field[5].empty())
                soundfiles.push_back("tiles/" + field[5] + ".wav");
        }
    }
    static const std::vector<std::string> homenames = {
        "home", "home", "home", "Jörg Ødegård", "Ünïcödé and blanks", "用户", "Ελένη", "Łukasz"};
    for (int n = 1; n <= count; ++n) {
        Generator g(static_cast<uint64_t>(n) * 7919);
        const fs::path dir = out / std::to_string(n);
        fs::remove_all(dir);
        fs::create_directories(dir);
        write(dir / "script.txt", script(g));
        std::string options = "--seed\n" + std::to_string(g.next()) + "\n";
        if (g.chance(20)) options += "--no-voice\n";
        if (g.chance(25)) options += "--screen-reader\n";
        if (g.chance(2)) options += "--no-sound-device\n";
        write(dir / "options", options);
        write(dir / "homename", g.pick(homenames));
        if (g.chance(3)) continue;  // no home folder at all
        const fs::path home = dir / "home";
        fs::create_directories(home);
        if (g.chance(85)) sounds(g, home, "sounds", soundfiles);
        if (g.chance(15)) sounds(g, home, "alt", soundfiles);
        if (g.chance(3)) {
            fs::create_directories(home / "progress.ini");  // every save fails
        } else if (g.chance(70)) {
            write(home / "progress.ini", progress(g, names));
        }
        if (g.chance(40)) write(home / "language.txt", language(g));
    }
    return 0;
}
