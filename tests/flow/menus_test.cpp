// The main, new game and help menus and the stepping they share.
#include <gtest/gtest.h>

#include <algorithm>

#include "flow/story.h"
#include "support/harness.h"

namespace velloxa::testing {

namespace {

using Texts = std::vector<std::string>;

const std::string kInstant =
    "Instant action.  Start with a random hand of tiles, facing off against a computer "
    "opponent.  No collecting tiles in this match, just an instant battle.";

struct Menus : ::testing::Test {
    Harness h;
    Game& g() { return *h.game; }
    void SetUp() override {
        h.home.addsounds();
        h.start();
    }
};

}  // namespace

TEST_F(Menus, StartUpSitsBeforeTheFirstItem) {
    EXPECT_EQ(g().ui.menu, 1);
    EXPECT_EQ(g().ui.menuitem, 0);
    EXPECT_EQ(h.said("Down\n"), Texts{"New game"});
    g().ui.menuitem = 0;
    EXPECT_EQ(h.said("Up\nUp\nRight\nLeft\nLeft\nLeft\nLeft\n"),
              (Texts{"Exit", "How to play", "Exit", "How to play", kInstant,
                     "Continue where you last left off.", "New game"}));
}

TEST(MenusStart, EnterAtOnceSaysGoodByeAndEnds) {
    HarnessOptions options;
    options.script = "Enter\n";
    Harness h(options);
    h.home.addsounds();
    h.start();
    EXPECT_TRUE(h.ended);
    const auto lines = h.lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "speak Good bye");
    EXPECT_EQ(lines[lines.size() - 2], "hold 1000");
    EXPECT_EQ(lines.back(), "exit");
}

TEST_F(Menus, ContinueIsSkippedWithExactlyFiveTiles) {
    g().collection.unlockedcount = 5;
    EXPECT_EQ(h.said("Down\nDown\nUp\nRight\nLeft\n"),
              (Texts{"New game", kInstant, "New game", kInstant, "New game"}));
    EXPECT_EQ(g().ui.menuitem, 1);
    for (int count : {0, 4, 6}) {
        g().collection.unlockedcount = count;
        g().ui.menuitem = 1;
        EXPECT_EQ(h.said("Down\n"), Texts{"Continue where you last left off."}) << count;
    }
}

TEST_F(Menus, NewGameNeedsShiftOverAGrownCollection) {
    g().collection.unlockedcount = 6;
    g().ui.menuitem = 1;
    EXPECT_EQ(h.said("Enter\n"),
              Texts{"Hold shift and press Enter to confirm overwriting your current game."});
    EXPECT_EQ(g().ui.menu, 1);
    EXPECT_EQ(h.said("Shift+Enter\n"), Texts{"Configure your game"});
    EXPECT_EQ(g().ui.menu, 2);
    EXPECT_EQ(g().ui.menuitem, 0);
}

TEST_F(Menus, DifficultyCyclesThroughTheFiveLevels) {
    g().ui.menuitem = 1;
    h.said("Enter\n");
    EXPECT_EQ(h.said("Down\nEnter\nEnter\nEnter\nEnter\nUp\n"),
              (Texts{"Difficulty set to medium.  Press Enter to change.", "Difficulty set to hard.",
                     "Difficulty set to hardest.", "Difficulty set to easiest.",
                     "Difficulty set to easy.", "Begin the game."}));
    EXPECT_EQ(g().ui.difficulty, 2);
}

TEST_F(Menus, EnterTwiceOnNewGameBeginsACampaign) {
    g().ui.menuitem = 1;
    const Texts texts = h.said("Enter\nEnter\n");
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0], "Configure your game");
    EXPECT_EQ(texts[1], "Good luck");
    EXPECT_EQ(g().collection.opponent, 1);
    EXPECT_EQ(g().ui.menu, 4);
    EXPECT_EQ(g().ui.menuitem, 1);
    EXPECT_EQ(texts.back(), story_content()[0].sofar);
}

TEST_F(Menus, HelpTextsRepeatOnEnterAndItemFiveGoesBack) {
    g().ui.menuitem = 3;
    EXPECT_EQ(h.said("Down\n"), Texts{"How to play"});
    const Texts first = h.said("Enter\n");
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(g().ui.menu, 3);
    EXPECT_EQ(h.said("Enter\n"), first);
    EXPECT_EQ(h.said("Up\n"), Texts{"Previous menu"});
    EXPECT_EQ(h.said("Down\nUp\nEnter\n"), (Texts{first[0], "Previous menu", "New game"}));
    EXPECT_EQ(g().ui.menu, 1);
    EXPECT_EQ(g().ui.menuitem, 1);
}

TEST_F(Menus, ArrowAndEnterSounds) {
    g().ui.menuitem = 4;
    h.take();
    h.keys("Down\n");
    const auto lines = h.take();
    const auto played = std::count_if(
        lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("play ", 0) == 0; });
    EXPECT_EQ(played, 1);
    g().ui.menuitem = 4;
    h.keys("Enter\n");
    const auto enter = h.take();
    EXPECT_NE(std::find_if(enter.begin(), enter.end(),
                           [](const std::string& l) {
                               return l.find("/sounds/menu/enter.wav") != std::string::npos;
                           }),
              enter.end());
}

}  // namespace velloxa::testing
