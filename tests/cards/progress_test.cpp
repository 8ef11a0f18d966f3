// Reading and writing progress.ini: the round trip, line ends and encodings,
// and every way the reader meets a damaged file.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <memory>

#include "cards/cards_support.h"

namespace velloxa {
namespace {

using namespace velloxa::testing;

std::string crlf(const Lines& lines, const std::string& end = "\r\n") {
    std::string out;
    for (const auto& l : lines) out += l + end;
    return out;
}

// Starts a game whose folder holds `file` as progress.ini.
std::unique_ptr<Harness> startwith(const std::string& file) {
    auto h = std::make_unique<Harness>();
    h->home.write("progress.ini", file);
    h->start(false);
    return h;
}

// A campaign of seven tiles on opponent 4 with a full deck, settings all
// away from the defaults.
struct Campaign {
    std::unique_ptr<Harness> reference = started();
    Game& g = *reference->game;
    std::vector<int> tiles, deck;
    Campaign() {
        const auto one = tilesofrarity(g, 1), two = tilesofrarity(g, 2);
        tiles = {
            one[5], one[0], one[3], two[4], two[1], tilesofrarity(g, 3)[2], tilesofrarity(g, 4)[0]};
        deck = {tiles[1], tiles[2], tiles[4], tiles[6], tiles[5]};
    }
    // The first n lines of its file.
    Lines lines(size_t n = 19) const {
        Lines out = {"2", "4", "7.5", "my sounds, second set", "4", "4", "7"};
        for (int t : tiles) out.push_back(nameof(g, t));
        for (int t : deck) out.push_back(nameof(g, t));
        out.resize(n);
        return out;
    }
};

// Read with any line ends, a byte order mark or no last line end, a campaign
// is written back as the same nineteen lines.
TEST(Progress, SevenTilesReadBackAndWriteTheSameNineteenLines) {
    Campaign c;
    const Lines lines = c.lines();
    const std::string file = crlf(lines);
    std::string mixed;
    const char* ends[] = {"\n", "\r", "\r\n"};
    for (size_t i = 0; i < lines.size(); ++i) mixed += lines[i] + ends[i % 3];
    for (const std::string& f : {file, crlf(lines, "\n"), crlf(lines, "\r"), mixed,
                                 "\xEF\xBB\xBF" + file, file.substr(0, file.size() - 2)}) {
        auto h = startwith(f);
        h->take();
        h->game->saveprogress();
        EXPECT_EQ(h->take(), Lines{"save"});
        EXPECT_EQ(h->home.read("progress.ini"), file) << ::testing::PrintToString(f);
    }
}

TEST(Progress, WindowsCodePageTextIsConvertedWhenNotUtf8) {
    const std::pair<std::string, std::string> cases[] = {
        {crlf({"0", "3", "2", "Kl\xE4nge \x80"}), "Kl\xC3\xA4nge \xE2\x82\xAC"},
        {crlf({"0", "3", "2", "Kl\xC3\xA4nge"}), "Kl\xC3\xA4nge"},
        {"\xEF\xBB\xBF" + crlf({"0", "3", "2", "Kl\xC3\xA4nge"}), "Kl\xC3\xA4nge"}};
    for (const auto& [file, folder] : cases)
        EXPECT_EQ(startwith(file)->game->out.sound.soundfolder, folder);
}

TEST(Progress, SettingsAreTakenAsWholePartsOrLeftAsTheyWere) {
    struct Case {
        Lines lines;
        int speechmode, difficulty;
        double rate;
        std::string folder;
        int opponent;
    };
    const Case cases[] = {
        {{}, 0, 3, 2, "sounds", 0},
        {{"2", "5"}, 2, 5, 2, "sounds", 0},
        {{"2", "4", "7.5", "s"}, 2, 4, 7.5, "s", 0},  // the short layout ends here
        {{" 1.9 ", "\t2", "3.75", "  spaced  ", "4.2", "3.99", "0"}, 1, 4, 3.75, "  spaced  ", 3},
        {{"x", "abc", "fast", "s", "", "two", "many"}, 0, 3, 2, "s", 0},
        {{"1", "5", "", "s", "x"}, 1, 5, 2, "s", 0},   // line 5 without a number: line 2 stays
        {{"1", "0", "2", "s", "6"}, 1, 3, 2, "s", 0},  // neither level exists
        {{"1", "2", "2", "s", "-1", "-7", "-3"}, 1, 2, 2, "s", -7},
        {{"1", "5.9", "1e3", "s", "1e1", "1e12", "-1e12"}, 1, 5, 1000, "s", 1000000000},
        {{"1", "1", "2", "s", "5", "3", "1.2.3"}, 1, 5, 2, "s", 3},  // line 5 wins over line 2
        {{"+2", "2", ".5", "s", "3", "2e0", "0"}, 2, 3, 0.5, "s", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.lines));
        auto h = startwith(crlf(c.lines));
        const Game& g = *h->game;
        EXPECT_EQ(g.out.speech.speechmode, c.speechmode);
        EXPECT_EQ(g.ui.difficulty, c.difficulty);
        EXPECT_EQ(g.out.speech.sapirate, c.rate);
        EXPECT_EQ(g.out.sound.soundfolder, c.folder);
        EXPECT_EQ(g.collection.opponent, c.opponent);
        EXPECT_EQ(g.collection.unlockedcount, 0);
    }
}

TEST(Progress, TheVoiceTakesTheWholePartOfTheRate) {
    auto h = startwith(crlf({"1", "2", "3.75"}));
    for (int voiceon : {1, 0}) {
        h->take();
        h->game->out.speech.voiceon = voiceon;
        h->game->loadprogress();
        EXPECT_EQ(h->only("rate "), voiceon == 1 ? Lines{"rate 3"} : Lines{});
    }
}

TEST(Progress, AHugeCountIsHeldAt999) {
    auto h = startwith("");
    const int one = tilesofrarity(*h->game, 1)[0], two = tilesofrarity(*h->game, 2)[0];
    Lines lines = {"0", "3", "2", "sounds", "3", "1", "1000000000000", nameof(*h->game, one)};
    // A file that ends inside the list counts the names read.
    EXPECT_EQ(unlockedlist(*startwith(crlf(lines))->game), std::vector<int>{one});
    // The deck is read from the lines after the 999th name.
    lines.insert(lines.end(), 1199, nameof(*h->game, one));
    lines[7 + 999] = nameof(*h->game, two);
    auto r = startwith(crlf(lines));
    EXPECT_EQ(r->game->collection.unlockedcount, 999);
    EXPECT_EQ(r->game->collection.deck[1], (Slots{0, two, one, one, one, one}));
}

TEST(Progress, UnreadableNamesGiveUpTheCampaignAndAnEarlyEndKeepsWhatWasRead) {
    Campaign c;
    const std::vector<int>& t = c.tiles;
    const std::vector<int>& d = c.deck;
    const std::string name = nameof(c.g, t[3]);
    std::string lower = name;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    auto with = [&](size_t index, const std::string& text) {
        Lines lines = c.lines();
        lines[index] = text;
        return lines;
    };
    struct Case {
        Lines lines;
        std::vector<int> list;
        Slots deck;
    };
    // A count of 5 is what the menus take for a fresh starter collection.
    const std::vector<int> given = {t[0], t[1], t[2], 0, 0};
    const Case cases[] = {
        {with(10, "No such tile"), given, {}},  // the fourth name
        {with(10, lower), given, {}},
        {with(10, name + " "), given, {}},
        {with(10, ""), given, {}},
        {with(10, "12"), given, {}},
        {with(16, "No such tile"), {t[0], t[1], t[2], t[3], t[4]}, {0, d[0], d[1]}},  // third slot
        {with(16, ""), t, {0, d[0], d[1], 0, d[3], d[4]}},  // an empty line is an empty slot
        {c.lines(10), {t[0], t[1], t[2]}, {}},              // the file ends in the list
        {c.lines(16), t, {0, d[0], d[1]}},                  // or in the deck
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::PrintToString(k.lines));
        auto h = startwith(crlf(k.lines));
        EXPECT_EQ(unlockedlist(*h->game), k.list);
        EXPECT_EQ(h->game->collection.deck[1], k.deck);
        EXPECT_EQ(h->game->collection.opponent, 4);
    }
}

TEST(Progress, FormerNamesAreReadInBothSectionsAndWrittenAnew) {
    auto h = startwith("");
    const Game& g = *h->game;
    ASSERT_EQ(g.cards.former.size(), 2u);
    const auto& [a, olda] = g.cards.former[0];
    const auto& [b, oldb] = g.cards.former[1];
    auto r = startwith(
        crlf({"0", "3", "2", "sounds", "3", "2", "2", olda, oldb, olda, oldb, "", "", ""}));
    EXPECT_EQ(unlockedlist(*r->game), (std::vector<int>{a, b}));
    EXPECT_EQ(r->game->collection.deck[1], (Slots{0, a, b, 0, 0, 0}));
    EXPECT_NE(r->game->progresstext().find("\r\n" + nameof(g, a) + "\r\n"), std::string::npos);
}

}  // namespace
}  // namespace velloxa
