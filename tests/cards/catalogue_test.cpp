// The tile catalogue as the rules and the spoken texts rely on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "support/harness.h"

namespace velloxa {
namespace {

// The attacks up, right, down and left of every tile in index order, one row
// per rarity level.
const std::vector<std::string> kAttacks = {
    "3211 1321 1132 2113 3112 2311 1231 1123 4111 1411 1141 1114 4030 0403 3040 0304",
    "3321 1332 2133 3213 3123 3312 2331 1233 0441 1044 4104 4410 6030 0603 3060 0306",
    "4322 2432 2243 3224 4223 3422 2342 2234 7121 1712 2171 1217",
    "5432 2543 3254 4325 5234 4523 3452 2345 7070 0707 7007 0770", "6542 2654 4265 5426 6245 5624"};

bool plainascii(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

class CatalogueTest : public ::testing::Test {
  protected:
    void SetUp() override { h.start(false); }
    const Catalogue& c() const { return h.game->cards; }
    testing::Harness h;
};

TEST_F(CatalogueTest, EveryTileHasItsAttacksAndRarity) {
    ASSERT_EQ(c().cardcount, 62);
    std::vector<std::string> rows(5);
    for (int i = 1; i <= 62; ++i) {
        const int r = c().cardrarity[i];
        ASSERT_TRUE(r >= 1 && r <= 5 && r >= c().cardrarity[i - 1]) << "tile " << i;
        std::string& row = rows[static_cast<size_t>(r - 1)];
        if (!row.empty()) row += ' ';
        for (int a : {c().cardup[i], c().cardright[i], c().carddown[i], c().cardleft[i]})
            row += std::to_string(a);
    }
    EXPECT_EQ(rows, kAttacks);
}

TEST_F(CatalogueTest, NamesTextsAndSoundsAreWellFormed) {
    std::set<std::string> sounds;
    int withsound = 0, withtexts = 0;
    for (int i = 1; i <= 62; ++i) {
        SCOPED_TRACE("tile " + std::to_string(i));
        const std::string &n = c().cardname[i], &s = c().cardsound[i];
        // Found at its own index: names are unique and the lookup is exact.
        EXPECT_EQ(c().find(n), i);
        EXPECT_TRUE(!n.empty() && n.size() <= 17 && plainascii(n + c().carddesc[i]) &&
                    n.front() != ' ' && n.back() != ' ' && c().carddesc[i].ends_with('.'))
            << n;
        withsound += !s.empty();
        if (!s.empty()) sounds.insert(s);
        EXPECT_TRUE(std::all_of(s.begin(), s.end(), [](char ch) { return ch >= 'a' && ch <= 'z'; }))
            << s;
        EXPECT_EQ(c().cardcapture[i].empty(), c().cardenemycapture[i].empty());
        withtexts += !c().cardcapture[i].empty();
        for (const std::string* t : {&c().cardcapture[i], &c().cardenemycapture[i]}) {
            if (t->empty()) continue;
            // One sentence naming the captured tile, as "  Point gained." may follow,
            // and no other mark that would survive the replacement.
            std::string named = *t;
            for (size_t p; (p = named.find("$T")) != std::string::npos;) named.replace(p, 2, "X");
            EXPECT_TRUE(named != *t && plainascii(*t) && t->back() == '.' &&
                        t->find("  ") == std::string::npos &&
                        !std::islower(static_cast<unsigned char>(t->front())) &&
                        named.find('$') == std::string::npos)
                << *t;
        }
    }
    EXPECT_EQ(withtexts, 52);
    EXPECT_EQ(withsound, 42);
    EXPECT_EQ(sounds.size(), 41u);  // only tiles 11 and 17 share one
    EXPECT_EQ(c().cardsound[11], c().cardsound[17]);
    // Former names lead to tiles 12 and 18; were one also a current name, the
    // progress reader could not tell which tile is meant.
    ASSERT_EQ(c().former.size(), 2u);
    EXPECT_EQ((std::set<int>{c().former[0].first, c().former[1].first}), (std::set<int>{12, 18}));
    EXPECT_NE(c().former[0].second, c().former[1].second);
    for (const auto& [index, name] : c().former)
        EXPECT_TRUE(!name.empty() && plainascii(name) && c().find(name) == 0) << name;
}

}  // namespace
}  // namespace velloxa
