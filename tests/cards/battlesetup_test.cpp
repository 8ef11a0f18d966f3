// Starting a battle: the cleared board, the enemy's tiles and the coin toss.
#include <gtest/gtest.h>

#include <set>

#include "cards/cards_support.h"

namespace velloxa {
namespace {

using namespace velloxa::testing;

const std::string kEmptyBoard = "draw 2 2 0/0 0/0 0/0 0/0 0/0 0/0 0/0 0/0 0/0";

struct BattleStart {
    std::unique_ptr<Harness> h = started();
    Game& g = *h->game;
    MatchState& m = g.match;
    explicit BattleStart(int opponent) {
        g.collection.opponent = opponent;
        h->take();
    }
};

TEST(StartUsOut, ClearsTheBoardAndDealsTheOpponentRow) {
    // The rarities dealt to the first and the last campaign opponent.
    const std::pair<int, std::vector<int>> rows[] = {{1, {1, 1, 1, 1, 2}}, {10, {1, 2, 3, 4, 5}}};
    for (const auto& [opponent, dealt] : rows) {
        BattleStart s(opponent);
        for (auto& column : s.m.board) column.fill(7);  // a battle left half played
        for (auto& column : s.m.boardowner) column.fill(2);
        s.m.score = {0, 3, 4};
        s.m.cursorx = s.m.cursory = s.m.handcursor = 3;
        s.m.hand[1] = {0, 1, 2, 3, 4, 17};
        s.g.ui.battlemode = 4;

        s.g.startusout();

        EXPECT_EQ(s.h->take(), (Lines{"save", kEmptyBoard}));
        EXPECT_EQ(s.m.board, decltype(s.m.board){});
        EXPECT_EQ(s.m.boardowner, decltype(s.m.boardowner){});
        EXPECT_EQ(s.m.score, (std::array<double, 3>{}));
        EXPECT_EQ((std::array{s.m.cursorx, s.m.cursory, s.m.handcursor, s.g.ui.battlemode}),
                  (std::array{2, 2, 1, 0}));
        EXPECT_EQ(s.m.hand[1], (Slots{0, 1, 2, 3, 4, 17}));  // dealt by the caller
        EXPECT_EQ(s.g.collection.deck[2], s.m.hand[2]);      // the reward candidates
        EXPECT_EQ(rarities(s.g, s.m.hand[2]), dealt);
        EXPECT_EQ(std::set<int>(s.m.hand[2].begin() + 1, s.m.hand[2].end()).size(), 5u);
    }
}

TEST(StartUsOut, OutsideTheCampaignTheEnemyKeepsItsTiles) {
    for (int opponent : {0, 11}) {
        BattleStart s(opponent);
        s.m.hand[2] = {0, 1, 2, 3, 4, 5};
        s.g.collection.deck[2] = {0, 6, 7, 8, 9, 10};
        Random coin = s.g.random;
        s.g.startusout();
        EXPECT_EQ(s.m.hand[2], (Slots{0, 1, 2, 3, 4, 5}));
        EXPECT_EQ(s.g.collection.deck[2], (Slots{0, 6, 7, 8, 9, 10}));
        coin.rnd();  // nothing but the coin was drawn
        EXPECT_EQ(coin.rnd(), s.g.random.rnd());
    }
}

// From the start routine to the enemy's first move: campaign and instant
// battle, each side winning the toss.
TEST(CoinFlip, BattleStartTranscripts) {
    const std::string user = "You have been chosen to go first!";
    const std::string enemy = "Your opponent has been chosen to go first.";
    struct Case {
        bool instant;
        int turn;
        std::string speech, hold;
    };
    const Case cases[] = {{false, 1, "speak The coin spins.  " + user, "hold 1000"},
                          {false, 2, "speak The coin spins.  " + enemy, "hold 5000"},
                          {true, 1, "speak   " + user, "hold 1000"},
                          {true, 2, "speak   " + enemy, "hold 4000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.speech);
        BattleStart s(2);
        uint64_t seed = 1;
        while (Random(seed).below(2) + 1 != c.turn) ++seed;
        s.g.random.seed(seed);
        s.g.ui.menu = c.instant ? Menu::Main : Menu::Challenge;
        s.g.ui.menuitem = 3;
        s.g.startusout();
        s.g.ui.battlemode = c.instant ? 4 : 0;
        s.g.announcecoinflip(c.instant ? "" : "The coin spins.");
        const Lines out = s.h->take();
        ASSERT_GE(out.size(), 4u);
        EXPECT_EQ(Lines(out.begin(), out.begin() + 4),
                  (Lines{"save", kEmptyBoard, c.speech, c.hold}));
        // The enemy moves at once and hands over to the summary menu.
        EXPECT_EQ(out.size() > 4, c.turn == 2);
        EXPECT_EQ(s.g.ui.menu, c.turn == 2 ? Menu::Summary : Menu::Board);
        if (c.turn == 1) {
            EXPECT_EQ(s.g.ui.menuitem, 0);
        }
    }
}

}  // namespace
}  // namespace velloxa
