// The catalogues as a player meets them. The English player's edition
// (po/en.po), on Linux and on Windows: every entry it changes is a text the
// game really says, nothing else changes, each replacement is heard before
// the game speaks on by itself, and the Plus rule's worked example holds for
// the tiles it names. A pseudo-language that marks and lengthens every text
// of the template: no text reaches the player without its mark.
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

std::string english_edition() {
    return read_file(source_folder() + "/po/en.po");
}

// An entry of a .po file; strings may run on over several quoted lines.
struct PoEntry {
    std::string context, english, text;
};

std::string unquoted(const std::string& line) {
    const size_t open = line.find('"'), close = line.rfind('"');
    std::string out;
    for (size_t i = open + 1; i < close; ++i) {
        if (line[i] == '\\' && i + 1 < close) {
            const char c = line[++i];
            out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
        } else {
            out += line[i];
        }
    }
    return out;
}

std::vector<PoEntry> po_entries(const std::string& po) {
    std::vector<PoEntry> entries;
    std::istringstream in(po);
    std::string line, *field = nullptr;
    PoEntry entry;
    const auto close = [&] {
        if (!entry.english.empty()) entries.push_back(entry);
        entry = PoEntry{};
        field = nullptr;
    };
    while (std::getline(in, line)) {
        if (line.starts_with("msgctxt ")) {
            close();
            field = &entry.context;
        } else if (line.starts_with("msgid ")) {
            if (!entry.english.empty() || !entry.text.empty()) close();
            field = &entry.english;
        } else if (line.starts_with("msgstr ")) {
            field = &entry.text;
        } else if (!line.starts_with("\"") || field == nullptr) {
            continue;
        }
        *field += unquoted(line);
    }
    close();
    return entries;
}

// The entries that change a text on `system`: its own first, then the shared
// ones it does not word differently.
std::vector<PoEntry> changes_on(const std::string& system) {
    const std::vector<PoEntry> all = po_entries(english_edition());
    std::set<std::string> own;
    std::vector<PoEntry> changed;
    for (const PoEntry& e : all)
        if (e.context == system) own.insert(e.english), changed.push_back(e);
    for (const PoEntry& e : all)
        if (e.context.empty() && !own.contains(e.english)) changed.push_back(e);
    std::erase_if(changed, [](const PoEntry& e) { return e.english == e.text; });
    return changed;
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
    std::optional<MatchState> position{};  // set after start-up, before the keys
};

// The board full but for spot 3, 3 under the cursor, whose neighbours are the
// player's, so the last drop captures nothing; the scores as given. The
// player's second slot and the enemy's first are used.
MatchState last_drop(double mine, double theirs) {
    MatchState m;
    m.turn = Side::Player;
    m.cursor = Spot{3, 3};
    int tile = 10;
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y)
            if (x != 3 || y != 3)
                m.place(Spot{x, y}, tile++, x == 3 || y == 3 ? Side::Player : Side::Enemy);
    m.hand(Side::Player) = Hand({1, 0, 0, 0, 0});
    m.hand(Side::Enemy) = Hand({0, 17, 18, 19, 20});
    m.add_to_score(Side::Player, mine);
    m.add_to_score(Side::Enemy, theirs);
    return m;
}

// Saved settings alone, at a difficulty.
std::string at_difficulty(int level) {
    return "0\r\n" + std::to_string(level) + "\r\n2\r\nsounds\r\n";
}

std::vector<Scenario> scenarios() {
    const HeadlessOptions reader{.screen_reader = true}, silent{.sound_device = false};
    std::string holed = progress(3);  // the fifth deck slot empty
    holed.erase(holed.rfind("Chorus Toad"), 11);
    std::vector<Scenario> list = {
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
        {"every opponent beaten", progress(11), "Down\nDown\nEnter\nDown\nDown\nDown\n", {}},
        {"a deck slot left empty", holed, "Down\nDown\nEnter\nDown\nDown\nEnter\n", {}},
        {"no sound device", "", "", silent},
        {"the deck: a tile moved, a slot left empty",
         progress(3),
         "Down\nDown\nEnter\nDown\nEnter\n2\nUp\nEnter\n",
         {}},
    };
    // The last drop of a battle won, lost and drawn, at the lowest, a middle
    // and the highest difficulty.
    const std::string last = "2\n6\n0\nUp\nDown\nZ\nShift+1\nEnter\nEnter\n";
    list.push_back({"won", at_difficulty(1), last, {}, 1, last_drop(6, 2)});
    list.push_back({"lost", at_difficulty(3), last, {}, 1, last_drop(2, 6)});
    list.push_back({"drawn", at_difficulty(5), last, {}, 1, last_drop(4, 4)});
    // Every opponent's offer to go back.
    for (int opponent = 2; opponent <= 10; ++opponent)
        list.push_back(
            {"going back", progress(opponent), "Down\nDown\nEnter\nDown\nDown\nDown\n", {}});
    return list;
}

Lines play(const Scenario& s, const Texts& texts) {
    Harness h({.script = s.script, .seed = s.seed, .headless = s.headless, .texts = texts});
    h.home.add_sounds();
    if (!s.progress.empty()) h.home.write("progress.ini", s.progress);
    if (s.position) {
        h.start(false);
        h.game->set_position(*s.position);
        h.keys(s.script);
    } else {
        h.start();
    }
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

// The English a changed entry starts from, its parts as wildcards; a part
// added to another text (it starts with the blanks between sentences) may
// come after anything.
std::u32string pattern_of(const std::string& english) {
    static const std::regex part("\\{[a-z_]+\\}");
    const std::string pattern = std::regex_replace(english, part, "*");
    return code_points(english.starts_with(' ') ? "*" + pattern : pattern);
}

// The same keys played with the texts as written and with the edition: the
// transcripts differ only in the texts the edition changes.
TEST_P(Heard, EveryEntryChangesATextTheGameSaysAndNothingElse) {
    const std::vector<PoEntry> changed = changes_on(GetParam());
    const Texts edition = compiled_texts(english_edition(), GetParam());
    std::vector<bool> used(changed.size());
    for (const Scenario& s : scenarios()) {
        SCOPED_TRACE(s.what);
        const Lines plain = play(s, Texts{});
        const Lines heard = play(s, edition);
        ASSERT_EQ(plain.size(), heard.size());
        for (size_t i = 0; i < plain.size(); ++i) {
            if (plain[i] == heard[i]) continue;
            const std::string kind = keyword(plain[i]);
            const bool spoken = kind == "speak " || kind == "reader ";
            EXPECT_TRUE(spoken || kind == "title " || kind == "msgbox ") << plain[i];
            EXPECT_EQ(keyword(heard[i]), kind) << heard[i];
            const std::u32string said = code_points(plain[i].substr(kind.size()));
            bool named = false;
            for (size_t e = 0; e < changed.size(); ++e)
                if (wildcard_match(said, pattern_of(changed[e].english))) used[e] = named = true;
            EXPECT_TRUE(named) << "changed by no entry: " << plain[i];
            if (!spoken) continue;
            const std::string replaced = heard[i].substr(kind.size());
            if (const std::optional<double> room = unhurried(heard, i)) {
                EXPECT_LE(voice.seconds(replaced, slowest_wpm()), *room)
                    << "cut off after " << *room << " s: " << replaced;
            }
        }
    }
    for (size_t e = 0; e < changed.size(); ++e)
        EXPECT_TRUE(used[e]) << "the game never says: " << changed[e].english;
}

// The worked example of the help names the catalogue's tiles and attacks,
// and sums that are equal, so the Plus rule takes both tiles as told.
TEST_P(Heard, ThePlusRuleExampleHoldsForTheTilesItNames) {
    std::string help;
    for (const PoEntry& e : changes_on(GetParam()))
        if (e.english.starts_with("A special rule is called the Plus rule")) help = e.text;
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

// Every text of the template as "‹" + text + "~~~›", its parts kept.
std::string pseudo_catalogue() {
    std::ostringstream po;
    po << "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n";
    const auto quoted = [](const std::string& text) {
        std::string out = "\"";
        for (const char c : text)
            out += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
        return out + "\"";
    };
    for (const PoEntry& e : po_entries(read_file(source_folder() + "/po/velloxa.pot"))) {
        const std::string marked = "‹" + e.english + std::string(e.english.size() / 3, '~') + "›";
        po << "\nmsgid " << quoted(e.english) << "\nmsgstr " << quoted(marked) << "\n";
    }
    return po.str();
}

TEST(PseudoLanguage, EveryTextThePlayerMeetsComesFromTheCatalogue) {
    const Texts pseudo = compiled_texts(pseudo_catalogue());
    size_t seen = 0;
    for (const Scenario& s : scenarios()) {
        SCOPED_TRACE(s.what);
        for (const std::string& line : play(s, pseudo)) {
            const std::string kind = keyword(line);
            if (kind != "speak " && kind != "reader " && kind != "title " && kind != "msgbox ")
                continue;
            std::string text = line.substr(kind.size());
            text.erase(0, text.find_first_not_of(' '));
            if (text.empty()) continue;
            EXPECT_TRUE(text.starts_with("‹") && text.ends_with("›")) << "escaped: " << line;
            ++seen;
        }
    }
    EXPECT_GT(seen, 150u);  // the scenarios reach every kind of text
}

INSTANTIATE_TEST_SUITE_P(EnglishEdition, Heard, ::testing::Values("linux", "windows"));

}  // namespace
}  // namespace velloxa::testing
