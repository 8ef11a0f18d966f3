// The main, new game and help menus and the stepping they share.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/harness.h"

namespace velloxa::testing {
namespace {

const std::string kInstant =
    "Instant action.  Start with a random hand of tiles, facing off against a computer "
    "opponent.  No collecting tiles in this match, just an instant battle.";

using Menus = StartedGame;

TEST_F(Menus, StartUpSitsBeforeTheFirstItemAndEachStepSoundsOnce) {
    h.take();
    h.keys("Down\n");
    const Lines lines = h.take();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.starts_with("play "); }),
              1);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "speak New game"), lines.end());
    g().ui.menuitem = 0;
    EXPECT_EQ(h.said("Up\nUp\nRight\nLeft\nLeft\nLeft\nLeft\n"),
              (Lines{"Exit", "How to play", "Exit", "How to play", kInstant,
                     "Continue where you last left off.", "New game"}));
}

TEST_F(Menus, EnterAtStartUpSaysGoodByeAndEnds) {
    h.take();
    h.keys("Enter\n");
    EXPECT_TRUE(h.ended);
    const Lines lines = h.lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(Lines(lines.end() - 3, lines.end()), (Lines{"speak Good bye", "hold 1000", "exit"}));
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [](const std::string& l) { return l.ends_with("/menu/enter.wav"); }),
              lines.end());
}

TEST_F(Menus, ContinueIsSkippedWithExactlyFiveTiles) {
    g().collection.unlockedcount = 5;
    EXPECT_EQ(h.said("Down\nDown\nUp\nRight\nLeft\n"),
              (Lines{"New game", kInstant, "New game", kInstant, "New game"}));
    for (int count : {0, 4, 6}) {
        g().collection.unlockedcount = count;
        g().ui.menuitem = 1;
        EXPECT_EQ(h.said("Down\n"), Lines{"Continue where you last left off."}) << count;
    }
}

TEST_F(Menus, NewGameConfirmsOverwritingThenCyclesTheDifficulty) {
    g().collection.unlockedcount = 6;
    g().ui.menuitem = 1;
    EXPECT_EQ(h.said("Enter\n"),
              Lines{"Hold shift and press Enter to confirm overwriting your current game."});
    EXPECT_EQ(g().ui.menu, Menu::Main);
    EXPECT_EQ(h.said("Shift+Enter\nDown\nEnter\nEnter\nEnter\nEnter\nUp\n"),
              (Lines{"Configure your game", "Difficulty set to medium.  Press Enter to change.",
                     "Difficulty set to hard.", "Difficulty set to hardest.",
                     "Difficulty set to easiest.", "Difficulty set to easy.", "Begin the game."}));
    EXPECT_EQ(g().ui.difficulty, 2);
}

TEST_F(Menus, HelpTextsRepeatOnEnterAndItemFiveGoesBack) {
    g().ui.menuitem = 3;
    const Lines first = h.said("Down\nEnter\n");
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0], "How to play");
    EXPECT_EQ(h.said("Enter\nUp\nDown\nUp\nEnter\n"),
              (Lines{first[1], "Previous menu", first[1], "Previous menu", "New game"}));
    EXPECT_EQ(g().ui.menu, Menu::Main);
    EXPECT_EQ(g().ui.menuitem, 1);
}

}  // namespace
}  // namespace velloxa::testing
