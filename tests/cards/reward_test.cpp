#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "cards/cards_support.h"
#include "support/harness.h"

namespace velloxa {
namespace {

using namespace velloxa::testing;

const std::string kHollow =
    "speak Your opponent does not have any tiles that you don't already have.  Your victory "
    "feels hollow because you were not able to steal a tile from your enemy.";

struct RewardFixture {
    std::unique_ptr<Harness> h;
    Game* g;
    explicit RewardFixture(uint64_t seed = 1) : h(std::make_unique<Harness>(seeded(seed))) {
        h->start(false);
        h->take();
        g = h->game.get();
    }
    int tile(int rarity, size_t n) const { return tilesofrarity(*g, rarity).at(n); }
    void enemy(std::vector<int> tiles) {
        for (int s = 1; s <= 5; ++s) g->collection.deck[2][static_cast<size_t>(s)] = tiles[s - 1];
    }
    // Steals once and returns the tile that joined the collection.
    int steal() {
        const auto before = unlockedlist(*g);
        g->takecard();
        for (int t : unlockedlist(*g))
            if (std::find(before.begin(), before.end(), t) == before.end()) return t;
        return 0;
    }
};

TEST(TakeCard, ChancesFollowTheWeightsOfTheNewCandidates) {
    RewardFixture f(12345);
    const std::vector<int> hand = {f.tile(1, 0), f.tile(2, 0), f.tile(2, 1), f.tile(3, 0),
                                   f.tile(4, 0)};
    f.enemy(hand);
    const int trials = 49000;
    std::map<int, int> got;
    for (int i = 0; i < trials; ++i) {
        setunlocked(*f.g, {});
        ++got[f.steal()];
        if (i % 1000 == 0) f.h->take();
    }
    const double weights[] = {27, 9, 9, 3, 1};
    for (size_t k = 0; k < 5; ++k) {
        const double p = weights[k] / 49.0;
        const double sd = std::sqrt(trials * p * (1 - p));
        EXPECT_NEAR(got[hand[k]], trials * p, 5 * sd) << "candidate " << k + 1;
    }
    EXPECT_EQ(got.count(0), 0u);
    EXPECT_EQ(f.g->collection.list1.size(), 49u);  // the weight list of the last steal
}

TEST(TakeCard, OwnedCandidatesAreRedrawnUntilANewOne) {
    RewardFixture f(99);
    const int fresh = f.tile(2, 3);
    f.enemy({f.tile(1, 0), f.tile(1, 1), f.tile(1, 2), f.tile(1, 3), fresh});
    for (int i = 0; i < 200; ++i) {
        setunlocked(*f.g, {f.tile(1, 0), f.tile(1, 1), f.tile(1, 2), f.tile(1, 3)});
        ASSERT_EQ(f.steal(), fresh);
    }
    EXPECT_EQ(f.g->collection.list1.size(), 117u);
    EXPECT_EQ(f.h->only("speak ").back(),
              "speak You have stolen a tile from your opponent.  You have now unlocked the " +
                  nameof(*f.g, fresh) + " tile!");
}

TEST(TakeCard, RarityFiveWeighsOneWhereverItSits) {
    RewardFixture f;
    const int top = f.tile(5, 0);
    // Rarity 5 first, before any other candidate, and the only new one.
    f.enemy({top, f.tile(1, 0), f.tile(2, 0), f.tile(3, 0), f.tile(4, 0)});
    setunlocked(*f.g, {f.tile(1, 0), f.tile(2, 0), f.tile(3, 0), f.tile(4, 0)});
    EXPECT_EQ(f.steal(), top);
    EXPECT_EQ(f.g->collection.list1.size(), 41u);
    EXPECT_EQ(unlockedlist(*f.g).back(), top);
}

TEST(TakeCard, InsertsAfterTheLastTileOfEqualOrLowerRarity) {
    RewardFixture f;
    const std::vector<int> base = {f.tile(1, 0), f.tile(1, 1), f.tile(1, 2), f.tile(1, 3),
                                   f.tile(2, 0)};
    const int three = f.tile(3, 0), one = f.tile(1, 4), two = f.tile(2, 1);

    setunlocked(*f.g, base);
    f.enemy({three, three, three, three, three});
    f.steal();
    auto want = base;
    want.push_back(three);
    EXPECT_EQ(unlockedlist(*f.g), want);

    setunlocked(*f.g, base);
    f.enemy({one, one, one, one, one});
    f.steal();
    want = base;
    want.insert(want.begin() + 4, one);
    EXPECT_EQ(unlockedlist(*f.g), want);

    // Equal rarities keep the order in which they were gained.
    setunlocked(*f.g, {f.tile(1, 0), f.tile(2, 0), f.tile(3, 0), f.tile(4, 0)});
    f.enemy({two, two, two, two, two});
    f.steal();
    EXPECT_EQ(unlockedlist(*f.g),
              (std::vector<int>{f.tile(1, 0), f.tile(2, 0), two, f.tile(3, 0), f.tile(4, 0)}));

    // Below everything held: position 1.
    setunlocked(*f.g, {f.tile(3, 0), f.tile(4, 0)});
    f.enemy({one, one, one, one, one});
    f.steal();
    EXPECT_EQ(unlockedlist(*f.g), (std::vector<int>{one, f.tile(3, 0), f.tile(4, 0)}));
}

TEST(TakeCard, NothingToStealIsAHollowVictory) {
    RewardFixture f;
    const std::vector<int> hand = {f.tile(1, 0), f.tile(1, 1), f.tile(2, 0), f.tile(3, 0),
                                   f.tile(5, 0)};
    struct Case {
        std::vector<int> enemy;
        std::vector<int> owned;
    };
    const Case cases[] = {
        {hand, hand},
        {{0, 0, 0, 0, 0}, {}},  // no enemy tiles: nothing can be drawn
        {{0, 0, 0, 0, hand[0]}, {hand[0]}},
    };
    for (const Case& c : cases) {
        f.enemy(c.enemy);
        setunlocked(*f.g, c.owned);
        f.h->take();
        Random before = f.g->random;
        f.g->takecard();
        EXPECT_EQ(unlockedlist(*f.g), c.owned);
        EXPECT_EQ(f.h->take(), std::vector<std::string>{kHollow});
        EXPECT_EQ(before.rnd(), f.g->random.rnd());  // no draw was made
    }
}

TEST(TakeCard, AFullCollectionTakesNothing) {
    RewardFixture f;
    f.enemy({f.tile(1, 0), f.tile(1, 1), f.tile(1, 2), f.tile(1, 3), f.tile(2, 0)});
    setunlocked(*f.g, std::vector<int>(999, f.tile(3, 0)));
    f.h->take();
    f.g->takecard();
    EXPECT_EQ(f.g->collection.unlockedcount, 999);
    EXPECT_EQ(f.h->take(), std::vector<std::string>{kHollow});
}

}  // namespace
}  // namespace velloxa
