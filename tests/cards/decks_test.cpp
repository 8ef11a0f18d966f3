#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "cards/cards_support.h"
#include "support/harness.h"

namespace velloxa {
namespace {

using namespace velloxa::testing;

std::unique_ptr<Harness> started(uint64_t seed = 1) {
    auto h = std::make_unique<Harness>(seeded(seed));
    h->start(false);
    return h;
}

TEST(StarterDeck, FourCommonTilesAndOneOfRarityTwo) {
    for (uint64_t seed = 1; seed <= 40; ++seed) {
        auto h = started(seed);
        Game& g = *h->game;
        setunlocked(g, {9, 10, 11, 30, 31, 32, 33});  // an older campaign is forgotten
        g.starterdeck();
        ASSERT_EQ(g.collection.unlockedcount, 5);
        const auto deck = deckof(g, 1);
        EXPECT_EQ(unlockedlist(g), deck);
        EXPECT_EQ(handof(g, 1), deck);
        EXPECT_EQ(std::set<int>(deck.begin(), deck.begin() + 4).size(), 4u);
        for (int slot = 0; slot < 4; ++slot) EXPECT_EQ(rarityof(g, deck[slot]), 1);
        EXPECT_EQ(rarityof(g, deck[4]), 2);
    }
}

TEST(InstantDecks, RollTableBoundaries) {
    using C = std::array<int, 6>;
    const C a{0, 1, 2, 2, 0, 0}, b{0, 1, 1, 2, 1, 0}, c{0, 1, 1, 1, 2, 0}, d{0, 1, 1, 1, 1, 1};
    const std::pair<int, C> cases[] = {{1, a},  {24, a}, {25, b}, {69, b}, {70, c},
                                       {89, c}, {90, d}, {99, d}, {100, d}};
    for (const auto& [roll, counts] : cases) {
        EXPECT_EQ(Game::instantcounts(roll), counts) << "roll " << roll;
        int sum = 0;
        for (int r = 1; r <= 5; ++r) sum += counts[static_cast<size_t>(r)];
        EXPECT_EQ(sum, 5);
    }
}

TEST(InstantDecks, TenDistinctTilesWithTheSameRarityPerSlot) {
    std::set<std::array<int, 6>> profiles;
    for (uint64_t seed = 1; seed <= 200; ++seed) {
        auto h = started(seed);
        Game& g = *h->game;
        g.collection.deck[1] = {0, 1, 2, 3, 4, 17};
        const auto deckbefore = g.collection.deck;
        Random r = g.random;
        const auto counts = Game::instantcounts(r.below(100) + 1);
        g.instantdecks();

        const auto user = handof(g, 1), enemy = handof(g, 2);
        std::set<int> all(user.begin(), user.end());
        all.insert(enemy.begin(), enemy.end());
        ASSERT_EQ(all.size(), 10u) << "seed " << seed;
        EXPECT_EQ(all.count(0), 0u);
        std::array<int, 6> seen{};
        for (size_t s = 0; s < 5; ++s) {
            EXPECT_EQ(rarityof(g, user[s]), rarityof(g, enemy[s]));
            if (s > 0) {
                EXPECT_LE(rarityof(g, user[s - 1]), rarityof(g, user[s]));
            }
            ++seen[static_cast<size_t>(rarityof(g, user[s]))];
        }
        EXPECT_EQ(seen, counts) << "seed " << seed;
        profiles.insert(counts);
        EXPECT_EQ(g.collection.deck, deckbefore);
        EXPECT_TRUE(g.collection.list1.empty());
    }
    EXPECT_EQ(profiles.size(), 4u);  // every row of the table turns up
}

TEST(DealByRarity, BothSidesDrawInTurnFromOneList) {
    auto h = started(3);
    Game& g = *h->game;
    Random r = g.random;
    std::vector<int> list = tilesofrarity(g, 3);
    std::array<std::array<int, 6>, 3> expected{};
    for (int slot = 1; slot <= 5; ++slot) {
        for (int side = 1; side <= 2; ++side) {
            const int pos = r.below(static_cast<int>(list.size()));
            expected[static_cast<size_t>(side)][static_cast<size_t>(slot)] =
                list[static_cast<size_t>(pos)];
            list.erase(list.begin() + pos);
        }
    }
    g.dealbyrarity({0, 0, 0, 5, 0, 0}, 0);
    EXPECT_EQ(g.match.hand[1], expected[1]);
    EXPECT_EQ(g.match.hand[2], expected[2]);
}

TEST(DealByRarity, OneSideLeavesTheOtherAlone) {
    auto h = started(5);
    Game& g = *h->game;
    g.match.hand[1] = {0, 1, 2, 3, 4, 17};
    g.dealbyrarity({0, 2, 0, 1, 1, 1}, 2);
    EXPECT_EQ(handof(g, 1), (std::vector<int>{1, 2, 3, 4, 17}));
    const auto enemy = handof(g, 2);
    const int rarities[] = {1, 1, 3, 4, 5};
    for (size_t s = 0; s < 5; ++s) EXPECT_EQ(rarityof(g, enemy[s]), rarities[s]);
    EXPECT_NE(enemy[0], enemy[1]);

    g.match.hand[2] = {0, 1, 2, 3, 4, 17};
    g.dealbyrarity({0, 1, 1, 1, 1, 1}, 1);
    EXPECT_EQ(handof(g, 2), (std::vector<int>{1, 2, 3, 4, 17}));
    for (int s = 1; s <= 5; ++s) EXPECT_EQ(rarityof(g, g.match.hand[1][static_cast<size_t>(s)]), s);
}

// A collection of rarities 1, 1, 2, 3, 1 with a deck of the first four and
// the fifth unplaced.
struct SlotFixture {
    std::unique_ptr<Harness> h = started();
    Game& g = *h->game;
    int a = tilesofrarity(g, 1)[0], b = tilesofrarity(g, 1)[1], c = tilesofrarity(g, 2)[0],
        d = tilesofrarity(g, 3)[0], e = tilesofrarity(g, 1)[2];
    SlotFixture() {
        setunlocked(g, {a, b, e, c, d});
        g.collection.deck[1] = {0, a, b, c, d, 0};
    }
    std::string put(int position, int slot, bool expectchange) {
        bool changed = !expectchange;
        std::string text = g.puttile(position, slot, changed);
        EXPECT_EQ(changed, expectchange) << text;
        return text;
    }
};

TEST(PutTile, RefusalsChangeNothing) {
    SlotFixture f;
    const auto before = f.g.collection.deck;
    EXPECT_EQ(f.put(5, 2, false),
              "Tile slot 2 can not hold tiles with a rarity level greater than 2.");
    EXPECT_EQ(f.put(4, 1, false),
              "Tile slot 1 can not hold tiles with a rarity level greater than 1.");
    EXPECT_EQ(f.put(1, 1, false), "This tile is already in slot 1.");
    EXPECT_EQ(f.put(5, 4, false), "This tile is already in slot 4.");
    EXPECT_EQ(f.put(0, 1, false), "");
    EXPECT_EQ(f.put(6, 1, false), "");
    EXPECT_EQ(f.put(1, 6, false), "");
    EXPECT_EQ(f.g.collection.deck, before);
}

TEST(PutTile, FillsReplacesAndMoves) {
    SlotFixture f;
    Game& g = f.g;
    EXPECT_EQ(f.put(5, 5, true),
              nameof(g, f.d) + " put in spot number 5.  Spot number 4 is empty now.");
    EXPECT_EQ(deckof(g, 1), (std::vector<int>{f.a, f.b, f.c, 0, f.d}));
    EXPECT_EQ(g.firstemptyslot(), 4);

    EXPECT_EQ(f.put(3, 4, true), nameof(g, f.e) + " put in spot number 4.");
    EXPECT_EQ(g.firstemptyslot(), 0);

    // The tile of slot 1 moves to slot 3 and sends the tile there back.
    EXPECT_EQ(f.put(1, 3, true),
              nameof(g, f.a) + " put in spot number 3.  " + nameof(g, f.c) +
                  " was put back into your pocket.  Spot number 1 is empty now.");
    EXPECT_EQ(deckof(g, 1), (std::vector<int>{0, f.b, f.a, f.e, f.d}));
    EXPECT_EQ(g.firstemptyslot(), 1);
    EXPECT_EQ(unlockedlist(g), (std::vector<int>{f.a, f.b, f.e, f.c, f.d}));

    // A rarity-3 tile fits slots 3 to 5.
    EXPECT_EQ(f.put(5, 3, true),
              nameof(g, f.d) + " put in spot number 3.  " + nameof(g, f.a) +
                  " was put back into your pocket.  Spot number 5 is empty now.");
    EXPECT_EQ(g.firstemptyslot(), 1);
}

}  // namespace
}  // namespace velloxa
