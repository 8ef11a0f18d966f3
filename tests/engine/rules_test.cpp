// The rules of a single drop: the attack rule, chain drops and the Plus rule.
#include "engine/rules.h"

#include <gtest/gtest.h>

#include "engine/tiles.h"

namespace velloxa::testing {
namespace {

// Only the captures of a drop's effects.
std::string captures(const std::string& log) {
    std::string out;
    std::istringstream in(log);
    for (std::string what, spot; in >> what >> spot;)
        if (what == "take" || what == "plus") out += (out.empty() ? "" : " ") + what + " " + spot;
    return out;
}

TEST(Drop, AttackChainAndPlusRules) {
    struct Rule {
        char dropped;  // E for the user's drop, e for the enemy's
        const char* tiles;
        const char* rows;
        const char* captures;  // in order
    };
    // Tile e is dropped in the centre.
    const Rule rules[] = {
        // A higher attack wins, an equal one not; sums 8, 8 and 3: no Plus.
        {'E', "e5412 s0030 m0004 b2000 t0001", ".st ..m .b.", "take 21"},
        // 3 vs 5 and 4 vs 4 both sum to 8; Plus captures start no chain (s would take t).
        {'E', "e3400 s0950 m0004 t0001", ".st ..m ...", "plus 21 plus 32"},
        {'E', "e3460 s0050 m0004 b3000", ".s. ..m .b.", "take 23"},  // 8, 8 and 9: no Plus
        // Zero sums and the side's own tiles do not count.
        {'E', "e0523 s0000 M0004 b4000 f0300", ".s. f.M .b.", "plus 23 plus 12"},
        {'E', "e4999 s0040", ".s. ... ...", ""},  // a lone equal neighbour is left alone
        // Three sums of 8, the first won by the attack rule: not taken twice.
        {'E', "e5430 s0030 m0004 b5000 t0001", ".st ..m .b.", "take 21 plus 32 plus 23"},
        // The chain drop of s takes t before the Plus rule is looked at.
        {'E', "e5431 s0630 m0004 b5000 t0001", ".st ..m .b.", "take 21 take 31 plus 32 plus 23"},
        {'e', "e5412 s0030", ".S. ... ...", "take 21"},
    };
    for (const Rule& r : rules) {
        SCOPED_TRACE(std::string(r.tiles) + " / " + r.rows);
        const Tiles tiles(r.tiles);
        MatchState m = board(r.rows);
        const Side side = r.dropped == 'E' ? Side::Player : Side::Enemy;
        Recorded effects;
        resolve_drop(m, tiles, Spot{2, 2}, tile('e'), side, Drop::Placed, effects);
        EXPECT_EQ(captures(effects.log), r.captures);
        // Each capture is a point and turns the tile to the side that dropped.
        int taken = 0;
        std::istringstream in(r.captures);
        for (std::string what, spot; in >> what >> spot; ++taken)
            EXPECT_EQ(m.owner_at(Spot{spot[0] - '0', spot[1] - '0'}), side) << spot;
        EXPECT_EQ(m.score(side), taken);
        EXPECT_EQ(m.score(side == Side::Player ? Side::Enemy : Side::Player), 0);
    }
}

TEST(Drop, ChainDropRunsWholeBeforeTheNextDirection) {
    // b, taken by a's chain drop, never drops itself: its down attack of 9
    // would take d before e does.
    const Tiles tiles("e6611 a0720 b0093 d1002");
    MatchState m = board(".ab ..d ...");
    Recorded effects;
    resolve_drop(m, tiles, Spot{2, 2}, tile('e'), Side::Player, Drop::Placed, effects);
    EXPECT_EQ(effects.log,
              "land 22 take 21 land 21 take 31 done 21 take 32 land 32 done 32 done 22");
}

// A key handled during the first wait puts another tile on the spot: the
// rules go on with that tile.
TEST(Drop, TheTileOnTheSpotIsReadAfreshAfterEachEffect) {
    struct Swap : Recorded {
        MatchState* m = nullptr;
        void landed(Spot s) override {
            if (log.empty()) m->place(s, tile('q'), Side::Player);
            Recorded::landed(s);
        }
    };
    const Tiles tiles("e1111 q0900 s0003");
    MatchState m = board(".s. ... ...");
    Swap effects;
    effects.m = &m;
    resolve_drop(m, tiles, Spot{1, 1}, tile('e'), Side::Player, Drop::Placed, effects);
    EXPECT_EQ(captures(effects.log), "take 21");
}

}  // namespace
}  // namespace velloxa::testing
