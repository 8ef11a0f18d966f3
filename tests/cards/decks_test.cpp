// Dealing tiles: the starter deck, instant battles and the deck slots.
#include "cards/decks.h"

#include <gtest/gtest.h>

#include <set>

#include "cards/cards_support.h"
#include "io/describe.h"

namespace velloxa::testing {
namespace {

TEST(StarterDeck, FourCommonTilesAndOneOfRarityTwo) {
    for (uint64_t seed = 1; seed <= 20; ++seed) {
        Collection c;
        MatchState m;
        Random random(seed);
        set_unlocked(c, {9, 10, 11, 30, 31, 32, 33});  // an older campaign is forgotten
        deal_starter_deck(c, m, catalogue(), random);
        const Slots deck = slots_of(c.deck);
        EXPECT_EQ(m.hand(Side::Player), c.deck);
        EXPECT_EQ(unlocked_list(c), std::vector<int>(deck.begin(), deck.end()));
        EXPECT_EQ(rarities(c.deck), (std::vector<int>{1, 1, 1, 1, 2}));
        EXPECT_EQ(std::set<int>(deck.begin(), deck.end()).size(), 5u) << seed;
    }
}

TEST(InstantDecks, RollTableBoundaries) {
    const RarityCounts a{0, 1, 2, 2, 0, 0}, b{0, 1, 1, 2, 1, 0}, c{0, 1, 1, 1, 2, 0},
        d{0, 1, 1, 1, 1, 1};
    const std::pair<int, RarityCounts> cases[] = {{1, a},  {24, a}, {25, b}, {69, b},
                                                  {70, c}, {89, c}, {90, d}, {100, d}};
    for (const auto& [roll, counts] : cases) EXPECT_EQ(instant_rarity_counts(roll), counts) << roll;
}

TEST(InstantDecks, TenDistinctTilesWithTheSameRarityPerSlot) {
    for (uint64_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        Collection c;
        MatchState m;
        Random random(seed);
        c.deck = Hand({1, 2, 3, 4, 17});
        const Hand deck = c.deck;
        deal_instant_hands(c, m, catalogue(), random);
        const Slots player = slots_of(m.hand(Side::Player)), enemy = slots_of(m.hand(Side::Enemy));
        std::set<int> all(player.begin(), player.end());
        all.insert(enemy.begin(), enemy.end());
        EXPECT_EQ(all.size(), 10u);
        EXPECT_EQ(all.count(0), 0u);
        EXPECT_EQ(rarities(m.hand(Side::Player)), rarities(m.hand(Side::Enemy)));
        EXPECT_EQ(c.deck, deck);  // the campaign deck is not touched
    }
}

TEST(PutTile, SlotRulesAndTheirTexts) {
    // A collection of rarities 1, 1, 1, 2, 3; the deck holds all but the third.
    const int a = tile_of(1, 0), b = tile_of(1, 1), e = tile_of(1, 2), c = tile_of(2, 0),
              d = tile_of(3, 0);
    Collection col;
    set_unlocked(col, {a, b, e, c, d});
    col.deck = Hand({a, b, c, d, 0});
    auto put = [&](int position, int slot, bool expect_change) {
        const Placement placed = put_tile_in_deck(col, catalogue(), position, slot);
        const std::string text = placement_text(Texts{}, catalogue(), placed);
        EXPECT_EQ(placed.changed(), expect_change) << text;
        return text;
    };

    // A rarity too high for its slot is refused in tests/flow/menus_test.cpp.
    EXPECT_EQ(put(1, 1, false), "This tile is already in slot 1.");
    EXPECT_EQ(slots_of(col.deck), (Slots{a, b, c, d, 0}));

    EXPECT_EQ(put(5, 5, true), name_of(d) + " put in spot number 5.  Spot number 4 is empty now.");
    EXPECT_EQ(slots_of(col.deck), (Slots{a, b, c, 0, d}));
    EXPECT_EQ(first_empty_deck_slot(col), 4);
    EXPECT_EQ(put(3, 4, true), name_of(e) + " put in spot number 4.");
    EXPECT_EQ(first_empty_deck_slot(col), 0);
    // The tile of slot 1 moves to slot 3 and sends the tile there back.
    EXPECT_EQ(put(1, 3, true), name_of(a) + " put in spot number 3.  " + name_of(c) +
                                   " was put back into your pocket.  Spot number 1 is empty now.");
    EXPECT_EQ(slots_of(col.deck), (Slots{0, b, a, e, d}));
    EXPECT_EQ(first_empty_deck_slot(col), 1);
}

}  // namespace
}  // namespace velloxa::testing
