// Stealing a tile after a campaign victory: the weighted draw, where the
// tile joins the collection, and the victory with nothing to steal.
#include "cards/reward.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "cards/cards_support.h"

namespace velloxa::testing {
namespace {

// The enemy held `enemy` and the collection is `owned`.
Collection before(const std::vector<int>& enemy, const std::vector<int>& owned) {
    Collection c;
    for (size_t s = 0; s < enemy.size(); ++s) c.enemy_deck.set(static_cast<int>(s) + 1, enemy[s]);
    set_unlocked(c, owned);
    return c;
}

// The second common tile is owned already: it keeps its place in the weight
// list but is drawn again whenever it comes up.
TEST(TakeCard, ChancesFollowTheWeightsAndOwnedTilesAreRedrawn) {
    const std::vector<int> hand = {tile_of(1, 0), tile_of(1, 1), tile_of(2, 0), tile_of(3, 0),
                                   tile_of(4, 0)};
    Random random(12345);
    const int trials = 20000;
    std::map<int, int> got;
    for (int i = 0; i < trials; ++i) {
        Collection c = before(hand, {hand[1]});
        ASSERT_TRUE(pick_stolen_tile(c, catalogue(), random));
        ++got[c.unlocked.at(2)];
    }
    const double weights[] = {27, 0, 9, 3, 1};
    for (size_t k = 0; k < 5; ++k) {
        const double p = weights[k] / 40;
        EXPECT_NEAR(got[hand[k]], trials * p, 5 * std::sqrt(trials * p * (1 - p)) + 0.5) << k;
    }
}

TEST(TakeCard, InsertsAfterTheLastTileOfEqualOrLowerRarity) {
    const int a = tile_of(1, 0), b = tile_of(1, 1), two = tile_of(2, 0), three = tile_of(3, 0),
              four = tile_of(4, 0), new_one = tile_of(1, 4), new_two = tile_of(2, 1);
    struct Case {
        std::vector<int> owned;
        int stolen;
        std::vector<int> after;
    };
    const Case cases[] = {
        {{a, b, two}, three, {a, b, two, three}},
        {{a, b, two}, new_one, {a, b, new_one, two}},
        {{a, two, three, four}, new_two, {a, two, new_two, three, four}},  // in the order gained
        {{three, four}, new_one, {new_one, three, four}},
    };
    for (const Case& k : cases) {
        Collection c = before(std::vector<int>(5, k.stolen), k.owned);
        Random random(1);
        EXPECT_EQ(pick_stolen_tile(c, catalogue(), random), k.stolen);
        EXPECT_EQ(unlocked_list(c), k.after);
    }
}

TEST(TakeCard, NothingNewToStealDrawsNothing) {
    const std::vector<int> hand = {tile_of(1, 0), tile_of(1, 1), tile_of(2, 0), tile_of(3, 0),
                                   tile_of(5, 0)};
    const std::pair<std::vector<int>, std::vector<int>> cases[] = {
        {hand, hand},                                  // the enemy's tiles are all owned
        {hand, std::vector<int>(999, tile_of(4, 0))},  // no room left
    };
    for (const auto& [enemy, owned] : cases) {
        Collection c = before(enemy, owned);
        Random random(1), replay(1);
        EXPECT_FALSE(pick_stolen_tile(c, catalogue(), random));
        EXPECT_EQ(unlocked_list(c), owned);
        EXPECT_EQ(replay.rnd(), random.rnd());
    }
}

}  // namespace
}  // namespace velloxa::testing
