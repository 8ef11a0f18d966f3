// Dealing tiles: the starter deck, instant battles and the deck slots.
#include <gtest/gtest.h>

#include <set>

#include "cards/cards_support.h"

namespace velloxa {
namespace {

using namespace velloxa::testing;

TEST(StarterDeck, FourCommonTilesAndOneOfRarityTwo) {
    for (uint64_t seed = 1; seed <= 20; ++seed) {
        auto h = started(seed);
        Game& g = *h->game;
        setunlocked(g, {9, 10, 11, 30, 31, 32, 33});  // an older campaign is forgotten
        starterdeck(g.collection, g.match, g.cards, g.random);
        const Slots deck = g.collection.deck[1];
        EXPECT_EQ(g.match.hand[1], deck);
        EXPECT_EQ(unlockedlist(g), std::vector<int>(deck.begin() + 1, deck.end()));
        EXPECT_EQ(rarities(g, deck), (std::vector<int>{1, 1, 1, 1, 2}));
        EXPECT_EQ(std::set<int>(deck.begin() + 1, deck.end()).size(), 5u);
    }
}

TEST(InstantDecks, RollTableBoundaries) {
    const Slots a{0, 1, 2, 2, 0, 0}, b{0, 1, 1, 2, 1, 0}, c{0, 1, 1, 1, 2, 0}, d{0, 1, 1, 1, 1, 1};
    const std::pair<int, Slots> cases[] = {{1, a},  {24, a}, {25, b}, {69, b},
                                           {70, c}, {89, c}, {90, d}, {100, d}};
    for (const auto& [roll, counts] : cases) EXPECT_EQ(instantcounts(roll), counts) << roll;
}

TEST(InstantDecks, TenDistinctTilesWithTheSameRarityPerSlot) {
    std::set<std::vector<int>> dealt;
    for (uint64_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        auto h = started(seed);
        Game& g = *h->game;
        g.collection.deck[1] = {0, 1, 2, 3, 4, 17};
        const auto decks = g.collection.deck;

        instantdecks(g.collection, g.match, g.cards, g.random);

        const Slots &user = g.match.hand[1], &enemy = g.match.hand[2];
        std::set<int> all(user.begin() + 1, user.end());
        all.insert(enemy.begin() + 1, enemy.end());
        EXPECT_EQ(all.size(), 10u);
        EXPECT_EQ(all.count(0), 0u);
        EXPECT_EQ(rarities(g, user), rarities(g, enemy));
        dealt.insert(rarities(g, user));
        EXPECT_EQ(g.collection.deck, decks);  // the campaign deck is not touched
        EXPECT_TRUE(g.collection.drawpool.empty());
    }
    // Every row of the roll table turns up, in slot order.
    EXPECT_EQ(dealt, (std::set<std::vector<int>>{
                         {1, 2, 2, 3, 3}, {1, 2, 3, 3, 4}, {1, 2, 3, 4, 4}, {1, 2, 3, 4, 5}}));
}

TEST(PutTile, SlotRulesAndTheirTexts) {
    auto h = started();
    Game& g = *h->game;
    // A collection of rarities 1, 1, 1, 2, 3; the deck holds all but the third.
    const int a = tilesofrarity(g, 1)[0], b = tilesofrarity(g, 1)[1], e = tilesofrarity(g, 1)[2],
              c = tilesofrarity(g, 2)[0], d = tilesofrarity(g, 3)[0];
    setunlocked(g, {a, b, e, c, d});
    g.collection.deck[1] = {0, a, b, c, d, 0};
    auto put = [&](int position, int slot, bool expectchange) {
        const Placement placed = puttile(g.collection, g.cards, position, slot);
        EXPECT_EQ(placed.changed, expectchange) << placed.text;
        return placed.text;
    };

    EXPECT_EQ(put(5, 2, false),
              "Tile slot 2 can not hold tiles with a rarity level greater than 2.");
    EXPECT_EQ(put(4, 1, false),
              "Tile slot 1 can not hold tiles with a rarity level greater than 1.");
    EXPECT_EQ(put(1, 1, false), "This tile is already in slot 1.");
    EXPECT_EQ(put(5, 4, false), "This tile is already in slot 4.");
    const std::pair<int, int> outside[] = {{0, 1}, {6, 1}, {1, 0}, {1, 6}};
    for (auto [position, slot] : outside) EXPECT_EQ(put(position, slot, false), "");
    EXPECT_EQ(g.collection.deck[1], (Slots{0, a, b, c, d, 0}));

    EXPECT_EQ(put(5, 5, true),
              nameof(g, d) + " put in spot number 5.  Spot number 4 is empty now.");
    EXPECT_EQ(g.collection.deck[1], (Slots{0, a, b, c, 0, d}));
    EXPECT_EQ(firstemptyslot(g.collection), 4);
    EXPECT_EQ(put(3, 4, true), nameof(g, e) + " put in spot number 4.");
    EXPECT_EQ(firstemptyslot(g.collection), 0);
    // The tile of slot 1 moves to slot 3 and sends the tile there back.
    EXPECT_EQ(put(1, 3, true), nameof(g, a) + " put in spot number 3.  " + nameof(g, c) +
                                   " was put back into your pocket.  Spot number 1 is empty now.");
    EXPECT_EQ(g.collection.deck[1], (Slots{0, 0, b, a, e, d}));
    EXPECT_EQ(firstemptyslot(g.collection), 1);
    EXPECT_EQ(unlockedlist(g), (std::vector<int>{a, b, e, c, d}));
    // A rarity-3 tile fits slots 3 to 5.
    EXPECT_EQ(put(5, 3, true), nameof(g, d) + " put in spot number 3.  " + nameof(g, a) +
                                   " was put back into your pocket.  Spot number 5 is empty now.");
}

}  // namespace
}  // namespace velloxa
