// Stealing a tile after a campaign victory: the weighted draw, where the
// tile joins the collection, and the hollow victory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "cards/cards_support.h"

namespace velloxa {
namespace {

using namespace velloxa::testing;

struct Reward {
    std::unique_ptr<Harness> h;
    Game& g;
    explicit Reward(uint64_t seed = 1) : h(started(seed)), g(*h->game) { h->take(); }
    int tile(int rarity, size_t n) const { return tilesofrarity(g, rarity).at(n); }
    // The enemy held `enemy` and the user owns `owned`: one steal.
    void steal(const std::vector<int>& enemy, const std::vector<int>& owned) {
        std::copy(enemy.begin(), enemy.end(), g.collection.deck[2].begin() + 1);
        setunlocked(g, owned);
        g.takecard();
    }
};

// The common tile is owned already: it keeps its place in the weight list
// but is drawn again whenever it comes up.
TEST(TakeCard, ChancesFollowTheWeightsAndOwnedTilesAreRedrawn) {
    Reward f(12345);
    std::vector<int> hand;
    for (int r = 1; r <= 5; ++r) hand.push_back(f.tile(r, 0));
    const int trials = 14000;
    std::map<int, int> got;
    for (int i = 0; i < trials; ++i) {
        f.steal(hand, {hand[0]});
        ++got[f.g.collection.unlocked[2]];
        if (i % 1000 == 0) f.h->take();
    }
    EXPECT_EQ(f.g.collection.drawpool.size(), 27 + 9 + 3 + 1 + 1u);
    const double weights[] = {0, 9, 3, 1, 1};
    for (size_t k = 0; k < 5; ++k) {
        const double p = weights[k] / 14;
        EXPECT_NEAR(got[hand[k]], trials * p, 5 * std::sqrt(trials * p * (1 - p))) << k + 1;
    }
}

TEST(TakeCard, InsertsAfterTheLastTileOfEqualOrLowerRarity) {
    Reward f;
    const int a = f.tile(1, 0), b = f.tile(1, 1), two = f.tile(2, 0), three = f.tile(3, 0),
              four = f.tile(4, 0), newone = f.tile(1, 4), newtwo = f.tile(2, 1);
    struct Case {
        std::vector<int> owned;
        int stolen;
        std::vector<int> after;
    };
    const Case cases[] = {
        {{a, b, two}, three, {a, b, two, three}},
        {{a, b, two}, newone, {a, b, newone, two}},
        {{a, two, three, four}, newtwo, {a, two, newtwo, three, four}},  // in the order gained
        {{three, four}, newone, {newone, three, four}},
    };
    for (const Case& c : cases) {
        f.steal(std::vector<int>(5, c.stolen), c.owned);
        EXPECT_EQ(unlockedlist(f.g), c.after);
        EXPECT_EQ(f.h->only("speak ").back(),
                  "speak You have stolen a tile from your opponent.  You have now unlocked the " +
                      nameof(f.g, c.stolen) + " tile!");
    }
}

TEST(TakeCard, NothingNewToStealIsAHollowVictory) {
    Reward f;
    const std::vector<int> hand = {f.tile(1, 0), f.tile(1, 1), f.tile(2, 0), f.tile(3, 0),
                                   f.tile(5, 0)};
    const std::pair<std::vector<int>, std::vector<int>> cases[] = {
        {hand, hand},           // the enemy's tiles and the ones owned
        {{0, 0, 0, 0, 0}, {}},  // no tile could ever be drawn
        {{0, 0, 0, 0, hand[0]}, {hand[0]}},
        {hand, std::vector<int>(999, f.tile(4, 0))},  // no room left
    };
    for (const auto& [enemy, owned] : cases) {
        f.h->take();
        Random before = f.g.random;
        f.steal(enemy, owned);
        EXPECT_EQ(unlockedlist(f.g), owned);
        EXPECT_EQ(f.h->take(),
                  Lines{"speak Your opponent does not have any tiles that you don't already "
                        "have.  Your victory feels hollow because you were not able to steal a "
                        "tile from your enemy."});
        EXPECT_EQ(before.rnd(), f.g.random.rnd());  // no draw was made
    }
}

}  // namespace
}  // namespace velloxa
