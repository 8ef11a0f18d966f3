// The key handler's dispatch and the battle-board keys.
#include <gtest/gtest.h>

#include "io/describe.h"
#include "support/harness.h"

namespace velloxa::testing {
namespace {

// The board active: the user to move, cursor in the centre, both hands
// holding tiles 1-5 and 17-21.
struct Keys : StartedGame {
    void SetUp() override {
        StartedGame::SetUp();
        g().ui.menu = Menu::Board;
        g().match.turn = 1;
        g().match.cursorx = g().match.cursory = 2;
        g().match.hand[1] = {0, 1, 2, 3, 4, 5};
        g().match.hand[2] = {0, 17, 18, 19, 20, 21};
    }
    void put(int x, int y, int tile, int owner) {
        g().match.board[x][y] = tile;
        g().match.boardowner[x][y] = owner;
    }
    void fill(int tile, int owner) {
        for (int x = 1; x <= 3; ++x)
            for (int y = 1; y <= 3; ++y) put(x, y, tile, owner);
    }
    std::string name(int t) { return g().cards.cardname[t]; }
};

TEST_F(Keys, GlobalKeysComeBeforeMenusAndBoard) {
    g().ui.menu = Menu::Main;
    g().ui.menuitem = 0;
    g().out.speech.sendingkeys = 1;
    EXPECT_TRUE(h.said("Down\nEnter\nEscape\n").empty());
    EXPECT_EQ(g().ui.menuitem, 0);
    g().out.speech.sendingkeys = 0;
    EXPECT_EQ(h.said("Alt\nCtrl\nEscape\n"),
              (Lines{"", "Hold shift and press Escape to return to the main menu."}));
    // Escape with Ctrl is neither of the Escape cases: the menu just repeats its item.
    g().ui.menuitem = 4;
    EXPECT_EQ(h.said("Ctrl+Escape\n"), Lines{"How to play"});
    g().ui.menu = Menu::Board;
    EXPECT_TRUE(h.said("Ctrl+Escape\nAlt+Escape\n").empty());
    EXPECT_EQ(h.said("Shift+Escape\n"), Lines{"Exit"});
    EXPECT_EQ(g().ui.menu, Menu::Main);
    EXPECT_EQ(g().ui.menuitem, 5);
}

TEST_F(Keys, ShroudingThresholdsByLevel) {
    const std::string mystery = "This enemy card is shrouded in mystery.";
    const std::string bylevel =
        "This enemy card is shrouded in mystery due to your difficulty setting.";
    const std::string all =
        "All enemy cards are shrouded in mystery due to your difficulty setting.";
    const std::string keys = "6\n7\n8\n9\n0\n";
    auto told = [&](int slot) { return "Enemy's " + stattext(g().cards, 16 + slot); };
    for (int level = 1; level <= 5; ++level) {
        g().ui.difficulty = level;
        Lines expected;
        for (int slot = 1; slot <= 5; ++slot)
            expected.push_back(slot < 6 - level ? told(slot)
                               : level == 1     ? mystery
                               : level == 5     ? all
                                                : bylevel);
        EXPECT_EQ(h.said(keys), expected) << level;
    }
    // Instant action hides slots 2 to 5 whatever the difficulty.
    g().ui.difficulty = 1;
    g().ui.battlemode = 4;
    EXPECT_EQ(h.said(keys), (Lines{told(1), bylevel, bylevel, bylevel, bylevel}));
    EXPECT_EQ(g().match.handcursor, 5);
    // A played tile is reported as used before any shrouding.
    g().ui.battlemode = 0;
    g().ui.difficulty = 5;
    g().match.hand[2][5] = 0;
    EXPECT_EQ(h.said("Shift+0\n9\n"), (Lines{"Enemy's card already used.", all}));
}

TEST_F(Keys, BoardKeysWaitForTheEnemyAndForTheDropsWaits) {
    g().match.turn = 2;
    EXPECT_TRUE(h.said("Left\n1\n6\nZ\nShift+1\n").empty());
    EXPECT_EQ(g().match.cursorx, 2);
    g().match.turn = 1;
    g().match.cursorx = 1;
    // The timed keys fall due inside the drop's waits; once the summary is
    // open, they would step it or repeat its item.
    EXPECT_EQ(h.said("Shift+2\n+0.1 Right\n+0.05 3\n"),
              Lines{"You drop " + name(2) + " onto spot 1, 2."});
    EXPECT_EQ(g().match.cursorx, 1);
    EXPECT_EQ(g().match.hand[1][2], 0);
    EXPECT_EQ(g().ui.menu, Menu::Summary);
    EXPECT_EQ(g().ui.menuitem, 1);
    EXPECT_EQ(g().match.turn, 2);
    EXPECT_FALSE(g().match.dropping);
}

TEST_F(Keys, EscapeViewsTheFinishedBoardAndReturnsToTheSummary) {
    fill(3, 1);
    g().match.score = {0, 3, 0};
    g().queue.announcements = {"Enemy drops a tile.", "A capture."};
    g().ui.menu = Menu::Summary;
    g().ui.menuitem = 3;
    EXPECT_EQ(h.said("Shift+Escape\nRight\nShift+1\nEscape\n"),
              (Lines{"You may now view the board.  Press Escape again to return to the summary "
                     "screen.",
                     "3 2, " + stattext(g().cards, 3), "There is already a tile on this spot.",
                     "Enemy drops a tile."}));
    EXPECT_EQ(g().ui.menu, Menu::Summary);
    EXPECT_EQ(g().ui.menuitem, 1);
}

TEST_F(Keys, EscapeDuringTheLastDropLeavesTheSummaryToTheDrop) {
    fill(1, 1);
    put(2, 2, 0, 0);
    g().collection.opponent = 3;
    for (int s = 1; s <= 5; ++s) g().collection.deck[2][s] = 40 + s;
    g().match.score = {0, 2, 0};
    // The board is full from the moment the tile lies on it; the Escape in
    // the drop's waits must not open a summary that could be continued twice.
    const Lines texts = h.said("Shift+1\n+0.1 Escape\n+0.05 Enter\n+0.05 Enter\nEnter\nEnter\n");
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0], "Hold shift and press Escape to return to the main menu.");
    EXPECT_EQ(texts[1], "You drop " + name(1) + " onto spot 2, 2.");
    EXPECT_EQ(g().collection.opponent, 4);
    EXPECT_EQ(g().collection.unlockedcount, 1);
    EXPECT_EQ(g().ui.menu, Menu::Challenge);
}

}  // namespace
}  // namespace velloxa::testing
