#include <gtest/gtest.h>

#include <set>

#include "cards/cards_support.h"
#include "support/harness.h"

namespace velloxa {
namespace {

using namespace velloxa::testing;

const std::string kEmptyBoard = "draw 2 2 0/0 0/0 0/0 0/0 0/0 0/0 0/0 0/0 0/0";

// A seed whose first draw gives the coin to `turn`.
uint64_t seedfor(int turn, uint64_t from = 1) {
    for (uint64_t s = from;; ++s)
        if (Random(s).below(2) + 1 == turn) return s;
}

int enemytiles(const Game& g) {
    int n = 0;
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y)
            n += g.match.boardowner[static_cast<size_t>(x)][static_cast<size_t>(y)] == 2;
    return n;
}

struct BattleStart {
    Harness h;
    Game& g = *h.game;
    explicit BattleStart(int opponent = 1) {
        h.start(false);
        g.collection.opponent = opponent;
        h.take();
    }
    // Ends with a battle left half played, to show startusout clears it.
    void dirty() {
        for (int x = 0; x <= 4; ++x)
            for (int y = 0; y <= 4; ++y) {
                g.match.board[static_cast<size_t>(x)][static_cast<size_t>(y)] = 7;
                g.match.boardowner[static_cast<size_t>(x)][static_cast<size_t>(y)] = 2;
            }
        g.match.score = {0, 3, 4};
        g.match.cursorx = 3;
        g.match.cursory = 1;
        g.match.handcursor = 4;
        g.ui.battlemode = 4;
    }
};

TEST(StartUsOut, ClearsTheBoardAndDealsTheOpponentRow) {
    for (int opponent = 1; opponent <= 10; ++opponent) {
        BattleStart s(opponent);
        s.dirty();
        s.g.random.seed(static_cast<uint64_t>(opponent) * 31);
        Random r = s.g.random;
        s.g.startusout();
        EXPECT_EQ(s.h.take(), (std::vector<std::string>{"save", kEmptyBoard}));
        const MatchState& m = s.g.match;
        for (int x = 0; x <= 4; ++x)
            for (int y = 0; y <= 4; ++y) {
                EXPECT_EQ(m.board[static_cast<size_t>(x)][static_cast<size_t>(y)], 0);
                EXPECT_EQ(m.boardowner[static_cast<size_t>(x)][static_cast<size_t>(y)], 0);
            }
        EXPECT_EQ(m.score[1], 0);
        EXPECT_EQ(m.score[2], 0);
        EXPECT_EQ(m.turn, r.below(2) + 1);
        EXPECT_EQ(m.handcursor, 1);
        EXPECT_EQ(m.cursorx, 2);
        EXPECT_EQ(m.cursory, 2);
        EXPECT_EQ(s.g.ui.battlemode, 0);

        const auto enemy = handof(s.g, 2);
        EXPECT_EQ(deckof(s.g, 2), enemy);
        EXPECT_EQ(std::set<int>(enemy.begin(), enemy.end()).size(), 5u);
        std::array<int, 6> seen{};
        for (size_t k = 0; k < 5; ++k) {
            ++seen[static_cast<size_t>(rarityof(s.g, enemy[k]))];
            if (k > 0) {
                EXPECT_LE(rarityof(s.g, enemy[k - 1]), rarityof(s.g, enemy[k]));
            }
        }
        EXPECT_EQ(seen, Game::opponentcounts(opponent)) << "opponent " << opponent;
    }
}

TEST(StartUsOut, FirstAndLastRows) {
    EXPECT_EQ(Game::opponentcounts(1), (std::array<int, 6>{0, 4, 1, 0, 0, 0}));
    EXPECT_EQ(Game::opponentcounts(10), (std::array<int, 6>{0, 1, 1, 1, 1, 1}));
}

TEST(StartUsOut, NoRowOutsideTheCampaignKeepsTheEnemyTiles) {
    for (int opponent : {0, -3, 11, 15}) {
        BattleStart s(opponent);
        s.g.match.hand[2] = {0, 1, 2, 3, 4, 5};
        s.g.collection.deck[2] = {0, 6, 7, 8, 9, 10};
        Random r = s.g.random;
        s.g.startusout();
        EXPECT_EQ(handof(s.g, 2), (std::vector<int>{1, 2, 3, 4, 5}));
        EXPECT_EQ(deckof(s.g, 2), (std::vector<int>{6, 7, 8, 9, 10}));
        // Only the coin was drawn.
        r.rnd();
        EXPECT_EQ(r.rnd(), s.g.random.rnd());
    }
}

TEST(StartUsOut, SavesTheCollectionFromBeforeTheNewGame) {
    BattleStart s(1);
    const int old = tilesofrarity(s.g, 3)[0];
    setunlocked(s.g, {old});
    s.g.startusout();
    s.g.starterdeck();
    const std::string file = s.h.home.read("progress.ini");
    EXPECT_NE(file.find("\r\n1\r\n" + nameof(s.g, old) + "\r\n"), std::string::npos) << file;
}

// The transcript of a battle start from the start routine to the enemy's
// first move: campaign and instant battle, each side winning the toss.
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
        s.g.random.seed(seedfor(c.turn));
        s.g.ui.menu = c.instant ? 1 : 4;
        s.g.ui.menuitem = 3;
        s.g.startusout();
        if (c.instant) {
            s.g.instantdecks();
            s.g.ui.battlemode = 4;
        } else {
            s.g.resetdeck();
        }
        s.g.announcecoinflip(c.instant ? "" : "The coin spins.");
        const auto out = s.h.take();
        ASSERT_GE(out.size(), 4u);
        EXPECT_EQ(std::vector<std::string>(out.begin(), out.begin() + 4),
                  (std::vector<std::string>{"save", kEmptyBoard, c.speech, c.hold}));
        if (c.turn == 1) {
            EXPECT_EQ(out.size(), 4u);
            EXPECT_EQ(s.g.ui.menu, 0);
            EXPECT_EQ(s.g.ui.menuitem, 0);
            EXPECT_EQ(enemytiles(s.g), 0);
        } else {
            EXPECT_EQ(enemytiles(s.g), 1);  // the enemy moved at once
        }
    }
}

TEST(CoinFlip, EachSideStartsAboutHalfTheTime) {
    BattleStart s(1);
    s.g.random.seed(2024);
    int first = 0;
    const int battles = 300;
    for (int i = 0; i < battles; ++i) {
        s.g.startusout();
        if (s.g.match.turn == 1) ++first;
        s.h.take();
    }
    EXPECT_NEAR(first, battles / 2, 44);  // five standard deviations
}

}  // namespace
}  // namespace velloxa
