// The tile names progress.ini is written in, and reading and writing it: the
// round trip, line ends, numbers and every way the reader meets a damaged file.
#include "cards/progress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <limits>

#include "cards/cards_support.h"
#include "cards/numbers.h"

namespace velloxa::testing {
namespace {

using Lines = std::vector<std::string>;

std::string crlf(const Lines& lines, const std::string& end = "\r\n") {
    std::string out;
    for (const auto& l : lines) out += l + end;
    return out;
}

bool plain_ascii(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

// What the progress file and the rules rely on in the catalogue.
TEST(Catalogue, EveryNameFindsItsTileAndNoFormerNameIsInUse) {
    const Catalogue& c = catalogue();
    for (int i = 1; i <= c.count(); ++i) {
        SCOPED_TRACE(c.tile(i).name);
        // Found at its own index: names are unique and the lookup is exact.
        EXPECT_EQ(c.find(c.tile(i).name), i);
        EXPECT_TRUE(c.tile(i).rarity >= 1 && c.tile(i).rarity <= 5);  // a deck slot and a weight
        EXPECT_TRUE(plain_ascii(c.tile(i).name + c.tile(i).description) &&
                    c.tile(i).name.back() != ' ');
    }
    // An index with no tile behind it reads as an empty spot, never past the table.
    for (int t : {-1, 0, c.count() + 1, 1000})
        EXPECT_TRUE(c.tile(t).name.empty() && c.attack(t, Direction::Up) == 0 && c.rarity(t) == 0)
            << t;
    // A former name that were also a current name would leave the progress
    // reader unable to tell which tile is meant.
    ASSERT_FALSE(c.former.empty());
    for (const auto& [index, name] : c.former)
        EXPECT_TRUE(!name.empty() && c.find(name) == 0 && index >= 1 && index <= c.count()) << name;
}

// What start-up holds before the file is read, and what reading made of it.
struct Read {
    Settings settings{0, 3, 2, "sounds"};
    Collection collection;
    ProgressRead result;
    explicit Read(const std::string& text)
        : result(read_progress(text, catalogue(), settings, collection)) {}
    std::string written() const { return write_progress_text(settings, collection, catalogue()); }
};

// A campaign of seven tiles on opponent 4 with a full deck, settings all
// away from the defaults.
const std::vector<int> kTiles = {tile_of(1, 5), tile_of(1, 0), tile_of(1, 3), tile_of(2, 4),
                                 tile_of(2, 1), tile_of(3, 2), tile_of(4, 0)};
const std::vector<int> kDeck = {kTiles[1], kTiles[2], kTiles[4], kTiles[6], kTiles[5]};

// The first n lines of its file.
Lines campaign(size_t n = 19) {
    Lines out = {"2", "4", "7.5", "my sounds, second set", "4", "4", "7"};
    for (int t : kTiles) out.push_back(name_of(t));
    for (int t : kDeck) out.push_back(name_of(t));
    out.resize(n);
    return out;
}

// The campaign's file with line `index` (from 0) replaced by `text`.
Lines campaign_with(size_t index, const std::string& text) {
    Lines lines = campaign();
    lines[index] = text;
    return lines;
}

// Read with any line ends, a byte order mark or no last line end, a campaign
// is written back as the same nineteen lines.
TEST(Progress, ACampaignReadsBackAndWritesTheSameNineteenLines) {
    const Lines lines = campaign();
    const std::string file = crlf(lines);
    std::string mixed;
    const char* ends[] = {"\n", "\r", "\r\n"};
    for (size_t i = 0; i < lines.size(); ++i) mixed += lines[i] + ends[i % 3];
    for (const std::string& f : {file, crlf(lines, "\n"), crlf(lines, "\r"), mixed,
                                 "\xEF\xBB\xBF" + file, file.substr(0, file.size() - 2)})
        EXPECT_EQ(Read(f).written(), file) << ::testing::PrintToString(f);
}

TEST(Progress, SettingsAreTakenAsWholePartsOrLeftAsTheyWere) {
    struct Case {
        Lines lines;
        int speech_route, difficulty;
        double rate;
        std::string folder;
        int opponent;
    };
    const Case cases[] = {
        {{}, 0, 3, 2, "sounds", 0},
        {{"2", "4", "7.5", "s"}, 2, 4, 7.5, "s", 0},  // the short layout ends here
        {{" 1.9 ", "\t2", "3.75", "  spaced  ", "4.2", "3.99", "0"}, 1, 4, 3.75, "  spaced  ", 3},
        {{"1", "5", "", "s", "x"}, 1, 5, 2, "s", 0},   // line 5 without a number: line 2 stays
        {{"1", "0", "2", "s", "6"}, 1, 3, 2, "s", 0},  // neither level exists
        {{"1", "5.9", "1e3", "s", "1e1", "1e12", "-1e12"}, 1, 5, 1000, "s", 1000000000},
        {{"1", "1", "2", "s", "5", "3", "1.2.3"}, 1, 5, 2, "s", 3},  // line 5 wins over line 2
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.lines));
        const Read r(crlf(c.lines));
        EXPECT_EQ(r.settings.speech_route, c.speech_route);
        EXPECT_EQ(r.settings.difficulty, c.difficulty);
        EXPECT_EQ(r.settings.voice_rate, c.rate);
        EXPECT_EQ(r.settings.sound_folder, c.folder);
        EXPECT_EQ(r.collection.opponent, c.opponent);
        EXPECT_EQ(r.collection.unlocked_count, 0);
    }
}

TEST(Progress, UnreadableNamesGiveUpTheCampaignAndAnEarlyEndKeepsWhatWasRead) {
    const std::vector<int>& t = kTiles;
    const std::vector<int>& d = kDeck;
    std::string lower = name_of(t[3]);
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    const auto with = campaign_with;
    struct Case {
        Lines lines;
        std::vector<int> list;
        Slots deck;
        bool partial;
    };
    // A count of 5 is what the menus take for a fresh starter collection.
    const std::vector<int> given = {t[0], t[1], t[2], 0, 0};
    const Case cases[] = {
        {with(10, "No such tile"), given, {}, true},  // the fourth name
        {with(10, lower), given, {}, true},
        {with(16, "No such tile"), {t[0], t[1], t[2], t[3], t[4]}, {d[0], d[1]}, true},
        {with(16, ""), t, {d[0], d[1], 0, d[3], d[4]}, false},  // an empty slot
        {campaign(10), {t[0], t[1], t[2]}, {}, true},           // the file ends in the list
        {campaign(16), t, {d[0], d[1]}, true},                  // or in the deck
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::PrintToString(k.lines));
        const Read r(crlf(k.lines));
        EXPECT_EQ(unlocked_list(r.collection), k.list);
        EXPECT_EQ(slots_of(r.collection.deck), k.deck);
        EXPECT_EQ(r.collection.opponent, 4);
        EXPECT_EQ(r.result.partial, k.partial);
    }
}

// Whatever the next save would not write back counts as damage, so that the
// file is kept as a backup first; a value the game merely replaces does not.
TEST(Progress, DamageIsEverythingTheNextSaveWouldLose) {
    const auto with = campaign_with;
    Lines longer = campaign();
    longer.push_back(name_of(kTiles[0]));
    Lines trailing = campaign();
    trailing.insert(trailing.end(), {"", ""});
    const std::pair<Lines, bool> cases[] = {
        {campaign(), false},   {campaign(4), false},      {campaign(6), false},
        {with(0, "9"), false}, {trailing, false},         {campaign(7), true},
        {longer, true},        {with(0, "route"), true},  {with(1, "0"), true},
        {with(2, ""), true},   {with(5, "fourth"), true}, {with(6, "20x"), true},
    };
    for (const auto& [lines, partial] : cases) {
        SCOPED_TRACE(::testing::PrintToString(lines));
        EXPECT_EQ(Read(crlf(lines)).result.partial, partial);
    }
    // A count of 2 before seven names: the deck is read from the list, and
    // the names left over are what would be lost.
    const Read shorter(crlf(with(6, "2")));
    EXPECT_TRUE(shorter.result.partial);
    EXPECT_EQ(shorter.collection.unlocked_count, 2);
}

TEST(Progress, FormerNamesAreReadInBothSectionsAndWrittenAnew) {
    const auto& [a, olda] = catalogue().former.at(0);
    const auto& [b, oldb] = catalogue().former.at(1);
    const Read r(
        crlf({"0", "3", "2", "sounds", "3", "2", "2", olda, oldb, olda, oldb, "", "", ""}));
    EXPECT_EQ(unlocked_list(r.collection), (std::vector<int>{a, b}));
    EXPECT_EQ(slots_of(r.collection.deck), (Slots{a, b, 0, 0, 0}));
    EXPECT_NE(r.written().find("\r\n" + name_of(a) + "\r\n"), std::string::npos);
}

// Numbers are written whole without a point, others in their shortest exact
// form; what is read out of range is held at the largest finite value, so
// that it can be written back and read again.
TEST(Progress, NumbersAreWrittenSoTheyReadBack) {
    const std::pair<double, const char*> written[] = {{-2, "-2"},
                                                      {-0.0, "0"},
                                                      {9999999999999998.0, "9999999999999998"},
                                                      {0.1 + 0.2, "0.30000000000000004"},
                                                      {2.5e16, "2.5e+16"}};
    for (const auto& [value, text] : written) {
        EXPECT_EQ(num(value), text);
        EXPECT_EQ(parse_number(text), value) << text;
    }
    EXPECT_EQ(parse_number("-1e999"), -std::numeric_limits<double>::max());
    EXPECT_EQ(parse_number(num(*parse_number("1e999"))), std::numeric_limits<double>::max());
    EXPECT_EQ(whole_part(-2.1), -3);
    for (const char* bad : {"", "3x", "1e", ".", "1 2", "0x10", "--1"})
        EXPECT_FALSE(parse_number(bad).has_value()) << bad;
}

}  // namespace
}  // namespace velloxa::testing
