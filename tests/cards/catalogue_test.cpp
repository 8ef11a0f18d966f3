// The tile catalogue as the rest of the game relies on it: the fixed numbers of
// every tile, which texts and sounds exist, and lookups by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/harness.h"

namespace velloxa {
namespace {

using testing::Harness;

// An independent copy of the rule table: attacks up, right, down, left, rarity,
// collection number, whether the tile has a sound and whether it has capture texts.
struct Row {
    int up, right, down, left, rarity, collection;
    bool sound, texts;
};

constexpr Row kTable[63] = {
    {0, 0, 0, 0, 0, 0, false, false},  // tile 0: the empty record
    {3, 2, 1, 1, 1, 1, true, true},    {1, 3, 2, 1, 1, 2, false, true},
    {1, 1, 3, 2, 1, 3, true, true},    {2, 1, 1, 3, 1, 4, false, true},
    {3, 1, 1, 2, 1, 1, true, true},    {2, 3, 1, 1, 1, 5, true, true},
    {1, 2, 3, 1, 1, 5, true, true},    {1, 1, 2, 3, 1, 6, true, true},
    {4, 1, 1, 1, 1, 3, true, true},    {1, 4, 1, 1, 1, 7, true, true},
    {1, 1, 4, 1, 1, 1, true, true},    {1, 1, 1, 4, 1, 8, false, true},
    {4, 0, 3, 0, 1, 3, true, true},    {0, 4, 0, 3, 1, 7, true, true},
    {3, 0, 4, 0, 1, 4, false, true},   {0, 3, 0, 4, 1, 5, true, true},
    {3, 3, 2, 1, 2, 1, true, true},    {1, 3, 3, 2, 2, 9, true, true},
    {2, 1, 3, 3, 2, 5, true, false},   {3, 2, 1, 3, 2, 5, true, false},
    {3, 1, 2, 3, 2, 6, false, true},   {3, 3, 1, 2, 2, 1, true, false},
    {2, 3, 3, 1, 2, 1, false, false},  {1, 2, 3, 3, 2, 10, true, true},
    {0, 4, 4, 1, 2, 11, false, false}, {1, 0, 4, 4, 2, 5, true, false},
    {4, 1, 0, 4, 2, 5, true, false},   {4, 4, 1, 0, 2, 1, false, false},
    {6, 0, 3, 0, 2, 5, true, false},   {0, 6, 0, 3, 2, 5, true, false},
    {3, 0, 6, 0, 2, 3, true, true},    {0, 3, 0, 6, 2, 1, true, true},
    {4, 3, 2, 2, 3, 12, false, true},  {2, 4, 3, 2, 3, 5, true, true},
    {2, 2, 4, 3, 3, 13, true, true},   {3, 2, 2, 4, 3, 13, true, true},
    {4, 2, 2, 3, 3, 7, true, true},    {3, 4, 2, 2, 3, 8, false, true},
    {2, 3, 4, 2, 3, 7, true, true},    {2, 2, 3, 4, 3, 3, true, true},
    {7, 1, 2, 1, 3, 3, true, true},    {1, 7, 1, 2, 3, 1, true, true},
    {2, 1, 7, 1, 3, 5, true, true},    {1, 2, 1, 7, 3, 5, true, true},
    {5, 4, 3, 2, 4, 1, false, true},   {2, 5, 4, 3, 4, 1, false, true},
    {3, 2, 5, 4, 4, 2, false, true},   {4, 3, 2, 5, 4, 5, true, true},
    {5, 2, 3, 4, 4, 10, false, true},  {4, 5, 2, 3, 4, 5, false, true},
    {3, 4, 5, 2, 4, 5, true, true},    {2, 3, 4, 5, 4, 7, true, true},
    {7, 0, 7, 0, 4, 1, false, true},   {0, 7, 0, 7, 4, 1, true, true},
    {7, 0, 0, 7, 4, 5, false, true},   {0, 7, 7, 0, 4, 7, true, true},
    {6, 5, 4, 2, 5, 14, false, true},  {2, 6, 5, 4, 5, 3, false, true},
    {4, 2, 6, 5, 5, 7, true, true},    {5, 4, 2, 6, 5, 8, true, true},
    {6, 2, 4, 5, 5, 15, false, true},  {5, 6, 2, 4, 5, 5, true, true},
};

class CatalogueTest : public ::testing::Test {
  protected:
    void SetUp() override { h.game->buildcards(); }
    const velloxa::Catalogue& cards() const { return h.game->cards; }
    Harness h;
};

bool plainascii(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

TEST(CatalogueStartUp, BuildsEveryTileAndLeavesIndexZeroEmpty) {
    Harness h;
    h.home.addsounds();
    h.start();
    const velloxa::Catalogue& c = h.game->cards;
    ASSERT_EQ(c.cardcount, 62);
    for (int i = 1; i <= 62; ++i) EXPECT_FALSE(c.cardname[i].empty()) << i;
    EXPECT_EQ(c.cardname[0], "");
    EXPECT_EQ(c.carddesc[0], "");
    EXPECT_EQ(c.cardcollection[0], "");
    EXPECT_EQ(c.cardsound[0], "");
    EXPECT_EQ(c.cardcapture[0], "");
    EXPECT_EQ(c.cardenemycapture[0], "");
    EXPECT_EQ(c.cardup[0] + c.cardright[0] + c.carddown[0] + c.cardleft[0] + c.cardrarity[0], 0);
    // Nothing beyond the last tile.
    EXPECT_EQ(c.cardname[63], "");
    EXPECT_EQ(c.cardrarity[63], 0);
}

TEST_F(CatalogueTest, NumbersMatchTheRuleTable) {
    ASSERT_EQ(cards().cardcount, 62);
    for (int i = 1; i <= 62; ++i) {
        SCOPED_TRACE("tile " + std::to_string(i));
        const Row& r = kTable[i];
        EXPECT_EQ(cards().cardup[i], r.up);
        EXPECT_EQ(cards().cardright[i], r.right);
        EXPECT_EQ(cards().carddown[i], r.down);
        EXPECT_EQ(cards().cardleft[i], r.left);
        EXPECT_EQ(cards().cardrarity[i], r.rarity);
        EXPECT_EQ(!cards().cardsound[i].empty(), r.sound);
        EXPECT_EQ(!cards().cardcapture[i].empty(), r.texts);
        EXPECT_EQ(!cards().cardenemycapture[i].empty(), r.texts);
    }
}

TEST_F(CatalogueTest, AttackSumsAndRarityTiers) {
    const int sums[6] = {0, 7, 9, 11, 14, 17};
    const int first[6] = {0, 1, 17, 33, 45, 57};
    for (int i = 1; i <= 62; ++i) {
        const int r = cards().cardrarity[i];
        ASSERT_GE(r, 1);
        ASSERT_LE(r, 5);
        EXPECT_EQ(
            cards().cardup[i] + cards().cardright[i] + cards().carddown[i] + cards().cardleft[i],
            sums[r])
            << "tile " << i;
        // Sorted by rarity: each level occupies its own run of indices.
        EXPECT_GE(i, first[r]) << "tile " << i;
        EXPECT_LT(i, r < 5 ? first[r + 1] : 63) << "tile " << i;
        for (int a :
             {cards().cardup[i], cards().cardright[i], cards().carddown[i], cards().cardleft[i]}) {
            EXPECT_GE(a, 0);
            EXPECT_LE(a, 7);
        }
    }
}

TEST_F(CatalogueTest, CollectionsAreNumberedByFirstAppearance) {
    std::map<std::string, int> number;
    std::map<int, int> count;
    for (int i = 1; i <= 62; ++i) {
        const std::string& name = cards().cardcollection[i];
        ASSERT_FALSE(name.empty()) << i;
        EXPECT_TRUE(plainascii(name)) << i;
        if (!number.count(name)) {
            const int next = static_cast<int>(number.size()) + 1;
            number[name] = next;
        }
        EXPECT_EQ(number[name], kTable[i].collection) << "tile " << i << " in " << name;
        ++count[number[name]];
    }
    EXPECT_EQ(number.size(), 15u);
    const std::map<int, int> expected = {{1, 13}, {2, 2},  {3, 7},  {4, 2},  {5, 17},
                                         {6, 2},  {7, 7},  {8, 3},  {9, 1},  {10, 2},
                                         {11, 1}, {12, 1}, {13, 2}, {14, 1}, {15, 1}};
    EXPECT_EQ(count, expected);
}

TEST_F(CatalogueTest, SoundNamesAreSingleLowerCaseWords) {
    std::map<std::string, std::vector<int>> users;
    for (int i = 1; i <= 62; ++i) {
        const std::string& s = cards().cardsound[i];
        if (s.empty()) continue;
        EXPECT_TRUE(std::all_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            << "tile " << i << ": " << s;
        users[s].push_back(i);
    }
    EXPECT_EQ(users.size(), 41u);
    for (const auto& [sound, tiles] : users) {
        if (sound == cards().cardsound[11]) {
            EXPECT_EQ(tiles, (std::vector<int>{11, 17}));
        } else {
            EXPECT_EQ(tiles.size(), 1u) << sound;
        }
    }
}

TEST_F(CatalogueTest, CaptureTextsNameTheCapturedTile) {
    for (int i = 1; i <= 62; ++i) {
        for (const std::string* t : {&cards().cardcapture[i], &cards().cardenemycapture[i]}) {
            if (t->empty()) continue;
            SCOPED_TRACE("tile " + std::to_string(i) + ": " + *t);
            EXPECT_NE(t->find("$T"), std::string::npos);
            EXPECT_TRUE(plainascii(*t));
            // One sentence, ending in a full stop: the user's text is followed by
            // "  Point gained." and the enemy's stands alone.
            EXPECT_EQ(t->back(), '.');
            EXPECT_EQ(t->find("  "), std::string::npos);
            EXPECT_EQ(t->front(), std::toupper(static_cast<unsigned char>(t->front())));
            // No other placeholder-like text that would survive the replacement.
            std::string replaced = *t;
            for (size_t p; (p = replaced.find("$T")) != std::string::npos;)
                replaced.replace(p, 2, "Tile");
            EXPECT_EQ(replaced.find('$'), std::string::npos);
        }
    }
    // Some texts name the captured tile twice; both must be replaced by the reader.
    int twice = 0;
    for (int i = 1; i <= 62; ++i) {
        const std::string& t = cards().cardcapture[i];
        const size_t first = t.find("$T");
        if (first != std::string::npos && t.find("$T", first + 2) != std::string::npos) ++twice;
    }
    EXPECT_GT(twice, 0);
}

TEST_F(CatalogueTest, NamesAreUniqueShortAndSpeakable) {
    std::set<std::string> seen;
    for (int i = 1; i <= 62; ++i) {
        const std::string& n = cards().cardname[i];
        SCOPED_TRACE("tile " + std::to_string(i) + ": " + n);
        EXPECT_FALSE(n.empty());
        EXPECT_LE(n.size(), 17u);
        EXPECT_TRUE(plainascii(n));
        EXPECT_NE(n.front(), ' ');
        EXPECT_NE(n.back(), ' ');
        EXPECT_TRUE(seen.insert(n).second) << "duplicate name";
        const std::string& d = cards().carddesc[i];
        EXPECT_TRUE(plainascii(d));
        ASSERT_FALSE(d.empty());
        EXPECT_EQ(d.back(), '.');
        EXPECT_EQ(d.find("   "), std::string::npos);
    }
}

TEST_F(CatalogueTest, FormerNamesMapToTilesTwelveAndEighteen) {
    ASSERT_EQ(cards().former.size(), 2u);
    std::set<int> targets;
    for (const auto& [index, name] : cards().former) {
        targets.insert(index);
        EXPECT_FALSE(name.empty());
        EXPECT_TRUE(plainascii(name));
        // A former name must not also be a current one, or the progress reader
        // could not tell which tile is meant.
        EXPECT_EQ(cards().find(name), 0) << name;
        EXPECT_NE(name, cards().cardname[index]);
    }
    EXPECT_EQ(targets, (std::set<int>{12, 18}));
    EXPECT_NE(cards().former[0].second, cards().former[1].second);
}

TEST_F(CatalogueTest, LookupByNameIsExact) {
    for (int i = 1; i <= 62; ++i) {
        const std::string& n = cards().cardname[i];
        EXPECT_EQ(cards().find(n), i) << n;
        std::string lower = n, upper = n;
        std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
        std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
        EXPECT_EQ(cards().find(lower), 0) << lower;
        EXPECT_EQ(cards().find(upper), 0) << upper;
        EXPECT_EQ(cards().find(n + " "), 0) << n;
        EXPECT_EQ(cards().find(" " + n), 0) << n;
    }
    EXPECT_EQ(cards().find(""), 0);
}

}  // namespace
}  // namespace velloxa
