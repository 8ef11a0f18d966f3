// The language files shipped for Linux and Windows, as a player meets them:
// every entry replaces a text the game really says and changes nothing else,
// each replacement is heard before the game speaks on by itself, and the
// Plus rule's worked example holds for the tiles it names.
#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cards/text.h"
#include "content/heard.h"
#include "io/wildcard.h"
#include "support/harness.h"

namespace velloxa::testing {
namespace {

std::string from_source(const std::string& relative) {
    return read_file(source_folder() + "/" + relative);
}

const char* const kShipped[] = {"packaging/language.txt", "packaging/windows/language.txt"};

// A language file's lines after its title that are not empty, in order:
// match text, replacement, match text, ...
Lines texts_of(const std::string& file) {
    Lines texts;
    std::istringstream in(file);
    std::string line;
    std::getline(in, line);  // the title
    while (std::getline(in, line)) {
        if (line.ends_with('\r')) line.pop_back();
        if (!line.empty()) texts.push_back(line);
    }
    return texts;
}

// Saved progress: a campaign at `opponent` with seven tiles, the last of
// rarity 2, and the first five in the deck.
std::string progress(int opponent) {
    std::string file = "0\r\n3\r\n2\r\nsounds\r\n3\r\n" + std::to_string(opponent) + "\r\n7\r\n";
    const Lines tiles = {"Ditch Newt",  "Rivet Apprentice", "Shingle Crab",   "Hush Moth",
                         "Chorus Toad", "Soot Mole",        "Gaffer Mudsnout"};
    for (const std::string& t : tiles) file += t + "\r\n";
    for (size_t i = 0; i < 5; ++i) file += tiles[i] + "\r\n";
    return file;
}

// Between them these reach every text the shipped files replace.
struct Scenario {
    const char* what;
    std::string progress, script;
    HeadlessOptions headless;
    uint64_t seed = 1;
};

std::vector<Scenario> scenarios() {
    const HeadlessOptions reader{.screen_reader = true}, silent{.sound_device = false};
    std::string holed = progress(3);  // the fifth deck slot empty
    holed.erase(holed.rfind("Chorus Toad"), 11);
    return {
        {"first start: help, a hint, an instant battle's summary",
         "",
         "Down\nDown\nDown\nEnter\nDown\nDown\nDown\nDown\nEnter\nEscape\n"
         "Down\nEnter\nShift+1\nDown\nDown\nDown\nDown\nShift+Escape\n",
         {}},
        {"every route and the rate, with a screen reader", "", "Tab\nTab\nTab\nTab\nPageUp\n",
         reader},
        {"every route without a screen reader", "", "Tab\nTab\nTab\n", {}},
        {"a campaign: overwriting, the deck menu, going back",
         progress(2),
         "Down\nEnter\nDown\nEnter\nDown\nEnter\nEnter\nUp\nUp\n1\nDown\nEnter\n"
         "Down\nDown\nDown\nEnter\n",
         {}},
        {"every opponent beaten", progress(11), "Down\nDown\nEnter\nDown\nDown\n", {}},
        {"a deck slot left empty", holed, "Down\nDown\nEnter\nDown\nDown\nEnter\n", {}},
        {"no sound device", "", "", silent},
    };
}

Lines play(const Scenario& s, const std::string& language) {
    Harness h({.script = s.script, .seed = s.seed, .headless = s.headless});
    h.home.add_sounds();
    if (!s.progress.empty()) h.home.write("progress.ini", s.progress);
    if (!language.empty()) h.home.write("language.txt", language);
    h.start();
    // Each run has a home of its own; only the name differs.
    Lines lines = h.lines();
    for (std::string& line : lines)
        for (size_t at; (at = line.find(h.home.path())) != std::string::npos;)
            line.replace(at, h.home.path().size(), "HOME");
    return lines;
}

// How long the game lets the text on line `at` sound before it speaks again
// by itself; nothing when a key of the player's comes first or nothing follows.
std::optional<double> unhurried(const Lines& lines, size_t at) {
    double ms = 0;
    for (size_t i = at + 1; i < lines.size(); ++i) {
        if (lines[i].starts_with("key ")) return std::nullopt;
        if (lines[i].starts_with("speak ") || lines[i].starts_with("reader ")) return ms / 1000;
        if (lines[i].starts_with("hold ")) ms += std::stod(lines[i].substr(5));
    }
    return std::nullopt;
}

std::string keyword(const std::string& line) {
    return line.substr(0, line.find(' ') + 1);
}

class Heard : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override { ASSERT_TRUE(voice.ready()) << "espeak-ng cannot start"; }
    Espeak& voice = Espeak::english();
};

// The same keys played without a language file and with the shipped one:
// the transcripts differ only in the texts the file names, and the run
// without it says each of them exactly as the game's own.
TEST_P(Heard, EveryEntryReplacesATextTheGameSaysAndNothingElse) {
    const std::string file = from_source(GetParam());
    const Lines texts = texts_of(file);
    std::vector<std::u32string> patterns;
    for (size_t i = 0; i < texts.size(); i += 2) {
        std::string pattern = texts[i];
        for (size_t at; (at = pattern.find("$T")) != std::string::npos;)
            pattern.replace(at, 2, "*");
        patterns.push_back(code_points(pattern));
    }
    EXPECT_EQ(std::set(patterns.begin(), patterns.end()).size(), patterns.size())
        << "a match text given twice";
    std::vector<bool> used(patterns.size());
    for (const Scenario& s : scenarios()) {
        SCOPED_TRACE(s.what);
        const Lines plain = play(s, "");
        const Lines heard = play(s, file);
        ASSERT_EQ(plain.size(), heard.size());
        for (size_t i = 0; i < plain.size(); ++i) {
            if (plain[i] == heard[i]) continue;
            const std::string kind = keyword(plain[i]);
            const bool spoken = kind == "speak " || kind == "reader ";
            EXPECT_TRUE(spoken || kind == "title " || kind == "msgbox ") << plain[i];
            EXPECT_EQ(keyword(heard[i]), kind) << heard[i];
            const std::u32string said = code_points(plain[i].substr(kind.size()));
            bool named = false;
            for (size_t e = 0; e < patterns.size(); ++e)
                if (wildcard_match(said, patterns[e])) used[e] = named = true;
            EXPECT_TRUE(named) << "changed by no entry: " << plain[i];
            const std::string replaced = heard[i].substr(kind.size());
            if (!spoken) continue;
            if (const std::optional<double> room = unhurried(heard, i)) {
                EXPECT_LE(voice.seconds(replaced, slowest_wpm()), *room)
                    << "cut off after " << *room << " s: " << replaced;
            }
        }
    }
    for (size_t e = 0; e < patterns.size(); ++e)
        EXPECT_TRUE(used[e]) << "the game never says: " << texts[2 * e];
}

// The worked example of the help names the catalogue's tiles and attacks,
// and sums that are equal, so the Plus rule takes both tiles as told.
TEST_P(Heard, ThePlusRuleExampleHoldsForTheTilesItNames) {
    const Lines texts = texts_of(from_source(GetParam()));
    std::string help;
    for (size_t i = 0; i < texts.size(); i += 2)
        if (texts[i].starts_with("A special rule is called the Plus rule")) help = texts[i + 1];
    const std::string name = "([A-Z][a-z]+ [A-Z][a-z]+)";
    const std::regex example("your " + name +
                             ", up (\\d) and right (\\d), is dropped below an enemy " + name +
                             ", down (\\d), and left of an enemy " + name +
                             ", left (\\d)\\.  (\\d) plus (\\d) is (\\d+), and (\\d) plus (\\d) is "
                             "(\\d+), so both tiles turn to your side\\.");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(help, m, example)) << help;
    const auto number = [&](size_t i) { return std::stoi(m[i]); };
    Catalogue cards;
    build_catalogue(cards);
    const int dropped = cards.find(m[1]), above = cards.find(m[4]), right = cards.find(m[6]);
    ASSERT_TRUE(dropped != 0 && above != 0 && right != 0) << "a tile the example names is missing";
    EXPECT_EQ(cards.tile(dropped).up, number(2));
    EXPECT_EQ(cards.tile(dropped).right, number(3));
    EXPECT_EQ(cards.tile(above).down, number(5));
    EXPECT_EQ(cards.tile(right).left, number(7));
    EXPECT_EQ(number(8) + number(9), number(10));
    EXPECT_EQ(number(11) + number(12), number(13));
    EXPECT_EQ(number(10), number(13));
    EXPECT_EQ((Lines{m[8], m[9], m[11], m[12]}), (Lines{m[2], m[5], m[3], m[7]}));
}

INSTANTIATE_TEST_SUITE_P(Shipped, Heard, ::testing::ValuesIn(kShipped));

}  // namespace
}  // namespace velloxa::testing
