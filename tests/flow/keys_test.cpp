// The key handler's dispatch and the battle-board keys.
#include <gtest/gtest.h>

#include "io/describe.h"
#include "io/keycodes.h"
#include "support/harness.h"

namespace velloxa::testing {
namespace {

// The user to move, cursor in the centre, both hands holding tiles 1-5 and
// 17-21.
MatchState players_turn() {
    MatchState m;
    m.turn = Side::Player;
    m.cursor = Spot{2, 2};
    m.hand(Side::Player) = Hand({1, 2, 3, 4, 5});
    m.hand(Side::Enemy) = Hand({17, 18, 19, 20, 21});
    return m;
}

void fill(MatchState& m, int tile, Side owner) {
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y) m.place(Spot{x, y}, tile, owner);
}

struct Keys : StartedGame {
    void SetUp() override {
        StartedGame::SetUp();
        g().set_position(players_turn());
    }
    std::string name(int t) { return g().catalogue().tile(t).name; }
};

TEST_F(Keys, GlobalKeysComeBeforeMenusAndBoard) {
    EXPECT_TRUE(h.said("Ctrl+Escape\nAlt+Escape\n").empty());
    EXPECT_EQ(h.said("Shift+Escape\n"), Lines{"Exit"});
    EXPECT_EQ(h.said("Alt\nCtrl\nEscape\n"),
              (Lines{"", "Hold shift and press Escape to return to the main menu."}));
    // Escape with Ctrl is neither of the Escape cases: the menu just repeats its item.
    EXPECT_EQ(h.said("Up\nCtrl+Escape\n"), (Lines{"How to play", "How to play"}));
}

// The keys of the speech route's own chord come back to the window while
// they are sent; none of them may reach the game.
TEST(ChordKeys, NeverReachTheGame) {
    struct Echo : KeyInjector {
        Game* game = nullptr;
        int echoed = 0;
        bool inside = false;
        void press(int) override {
            if (inside) return;
            inside = true;
            ++echoed;
            game->on_key(key::Down, 0);
            inside = false;
        }
        void release(int) override {}
    } echo;
    Harness h({.script = "", .seed = 1, .headless = {}, .tiles = {}, .keys = &echo});
    h.home.add_sounds();
    echo.game = h.game.get();
    h.start();
    h.keys("Tab\nTab\n");  // the second Tab is told with the chord
    EXPECT_EQ(echo.echoed, 3);
    EXPECT_EQ(h.game->menu_item(), 0);
}

TEST(BoardKeys, ShroudingThresholdsByLevel) {
    const std::string mystery = "This enemy card is shrouded in mystery.";
    const std::string by_level =
        "This enemy card is shrouded in mystery due to your difficulty setting.";
    const std::string all =
        "All enemy cards are shrouded in mystery due to your difficulty setting.";
    const std::string keys = "6\n7\n8\n9\n0\n";
    for (int level = 1; level <= 5; ++level) {
        const auto h = started_game(progress_file(level, 0));
        Game& g = *h->game;
        auto told = [&](int slot) {
            return "Enemy's " + stat_text(Texts{}, g.catalogue(), 16 + slot);
        };
        g.set_position(players_turn());
        Lines expected;
        for (int slot = 1; slot <= 5; ++slot)
            expected.push_back(slot < 6 - level ? told(slot)
                               : level == 1     ? mystery
                               : level == 5     ? all
                                                : by_level);
        EXPECT_EQ(h->said(keys), expected) << level;
        if (level == 1) {
            // Instant action hides slots 2 to 5 whatever the difficulty.
            g.set_position(players_turn(), BattleMode::InstantAction);
            EXPECT_EQ(h->said(keys), (Lines{told(1), by_level, by_level, by_level, by_level}));
            EXPECT_EQ(g.position().hand_cursor, 5);
        }
        if (level == 5) {
            // A played tile is reported as used before any shrouding.
            MatchState m = players_turn();
            m.hand(Side::Enemy).set(5, 0);
            g.set_position(m);
            EXPECT_EQ(h->said("Shift+0\n9\n"), (Lines{"Enemy's card already used.", all}));
        }
    }
}

TEST_F(Keys, BoardKeysWaitForTheEnemyAndForTheDropsWaits) {
    MatchState m = players_turn();
    m.turn = Side::Enemy;
    g().set_position(m);
    EXPECT_TRUE(h.said("Left\n1\n6\nZ\nShift+1\n").empty());
    EXPECT_EQ(g().position().cursor.x, 2);
    m.turn = Side::Player;
    m.cursor.x = 1;
    g().set_position(m);
    // The timed keys fall due inside the drop's waits; once the summary is
    // open, they would step it or repeat its item.
    EXPECT_EQ(h.said("Shift+2\n+0.1 Right\n+0.05 3\n"),
              Lines{"You drop " + name(2) + " onto spot 1, 2."});
    EXPECT_EQ(g().position().cursor.x, 1);
    EXPECT_EQ(g().position().hand(Side::Player).tile(2), 0);
    EXPECT_EQ(g().menu(), Menu::Summary);
    EXPECT_EQ(g().menu_item(), 1);
    EXPECT_EQ(g().position().turn, Side::Enemy);
    EXPECT_FALSE(g().position().dropping);
}

TEST_F(Keys, EscapeViewsTheFinishedBoardAndReturnsToTheSummary) {
    MatchState m = players_turn();
    fill(m, 3, Side::Player);
    m.place(Spot{1, 1}, 0, Side::Nobody);
    m.cursor = Spot{1, 1};
    g().set_position(m);
    EXPECT_EQ(h.said("Shift+1\n"), Lines{"You drop " + name(1) + " onto spot 1, 1."});
    EXPECT_EQ(h.said("Shift+Escape\nRight\nShift+2\nEscape\n"),
              (Lines{"You may now view the board.  Press Escape again to return to the summary "
                     "screen.",
                     "2 1, " + stat_text(Texts{}, g().catalogue(), 3),
                     "There is already a tile on this spot.",
                     "You drop " + name(1) + " onto spot 1, 1."}));
    EXPECT_EQ(g().menu(), Menu::Summary);
    EXPECT_EQ(g().menu_item(), 1);
}

TEST(BoardKeys, EscapeDuringTheLastDropLeavesTheSummaryToTheDrop) {
    // A campaign begun against the third opponent, whose hand was dealt.
    const auto h = started_game(progress_file(3, 3));
    h->keys("Down\nDown\nEnter\n");
    Game& g = *h->game;
    MatchState m = players_turn();
    fill(m, 1, Side::Player);
    m.place(Spot{2, 2}, 0, Side::Nobody);
    m.add_to_score(Side::Player, 2);
    g.set_position(m);
    // The board is full from the moment the tile lies on it; the Escape in
    // the drop's waits must not open a summary that could be continued twice.
    const Lines texts = h->said("Shift+1\n+0.1 Escape\n+0.05 Enter\n+0.05 Enter\nEnter\nEnter\n");
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0], "Hold shift and press Escape to return to the main menu.");
    EXPECT_EQ(texts[1], "You drop " + g.catalogue().tile(1).name + " onto spot 2, 2.");
    EXPECT_EQ(g.collection().opponent, 4);  // the battle was won once, and left
}

}  // namespace
}  // namespace velloxa::testing
