// The spoken menus: main, new game and help, the challenge menu, the
// summary read after each move and the deck menu.
#include <gtest/gtest.h>

#include "flow/story.h"
#include "support/harness.h"

namespace velloxa::testing {
namespace {

const std::string kInstant =
    "Instant action.  Start with a random hand of tiles, facing off against a computer "
    "opponent.  No collecting tiles in this match, just an instant battle.";

using Menus = StartedGame;

TEST_F(Menus, StepsWrapAndEnterAtStartUpSaysGoodBye) {
    g().collection.opponent = 1;  // a campaign to continue
    EXPECT_EQ(h.said("Up\nUp\nRight\nLeft\nLeft\nLeft\nLeft\n"),
              (Lines{"Exit", "How to play", "Exit", "How to play", kInstant,
                     "Continue where you last left off.", "New game"}));
    g().ui.menuitem = 0;
    h.take();
    h.keys("Enter\n");
    EXPECT_TRUE(h.ended);
    const Lines lines = h.take();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_TRUE(lines[1].ends_with("/sounds/menu/enter.wav"));
    EXPECT_EQ(Lines(lines.end() - 3, lines.end()), (Lines{"speak Good bye", "hold 1000", "exit"}));
}

// Nothing to continue: a fresh starter collection, or no campaign begun.
TEST_F(Menus, ContinueIsSkippedWithExactlyFiveTilesOrBeforeTheFirstOpponent) {
    for (const auto& [count, opponent] : {std::pair{5, 3}, {6, 0}, {7, -2}}) {
        g().collection.unlockedcount = count;
        g().collection.opponent = opponent;
        g().ui.menuitem = 0;
        EXPECT_EQ(h.said("Down\nDown\nUp\nRight\nLeft\n"),
                  (Lines{"New game", kInstant, "New game", kInstant, "New game"}));
    }
    g().collection.opponent = 1;
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

struct Campaign : StartedGame {
    void challenge(int opponent, int item) {
        g().collection.opponent = opponent;
        g().ui.menu = Menu::Challenge;
        g().ui.menuitem = item;
    }
    // The summary of a move with `n` announcements on a board not yet full.
    void summary(int n, double mine) {
        for (int i = 1; i <= n; ++i)
            g().queue.announcements.push_back("Line " + std::to_string(i) + ".");
        g().match.score = {0, mine, 0};
        g().ui.menu = Menu::Summary;
        g().ui.menuitem = 0;
    }
};

TEST_F(Campaign, ChallengeItemsStopAtTheEndsAndNeedACampaign) {
    const auto& story = story_content();
    challenge(1, 0);  // no way back from the first opponent: three items
    EXPECT_EQ(h.said("Up\nEnter\nDown\nDown\nDown\n"),
              (Lines{story[0].sofar, story[0].sofar, "Configure your deck for battle.",
                     story[0].intro, story[0].intro}));
    for (int opponent : {0, -3}) {
        challenge(opponent, 2);
        EXPECT_TRUE(h.said("Down\nUp\nEnter\n").empty());
        EXPECT_EQ(g().ui.menuitem, 2);
        EXPECT_EQ(g().ui.menu, Menu::Challenge);
    }
}

TEST_F(Campaign, GoingBackNeedsShiftAndStopsBelowEleven) {
    const std::string done =
        "You look at your tiles and decide you should spend more time here before moving on to "
        "stronger opponents.";
    challenge(5, 4);
    EXPECT_EQ(h.said("Enter\n"),
              Lines{"Hold shift and press Enter to confirm going back to face an earlier "
                    "opponent.  You will have to defeat that opponent again before moving "
                    "forward."});
    EXPECT_EQ(g().collection.opponent, 5);
    EXPECT_EQ(h.said("Shift+Enter\nCtrl+Enter\n"), (Lines{done, done}));
    EXPECT_EQ(g().collection.opponent, 3);
    for (int from : {11, 15}) {
        challenge(from, 4);
        h.said("Shift+Enter\n");
        EXPECT_EQ(g().collection.opponent, 10) << from;
    }
}

TEST_F(Campaign, SummaryStopsAtItsEndsAndEnterWalksForward) {
    summary(2, 1);
    const std::string score =
        "Score is 1 to 0.  Press Enter to continue, or escape to view the board.";
    h.take();
    g().menus(-1, 0);
    EXPECT_EQ(h.only("speak "), Lines{"speak Line 1."});
    EXPECT_EQ(h.said("Up\nDown\nDown\nDown\nUp\nEnter\n"),
              (Lines{"Line 1.", "Line 2.", score, score, "Line 2.", score}));
    g().match.turn = 1;
    EXPECT_EQ(h.said("Enter\n"), Lines{"It is your turn."});
    EXPECT_EQ(g().ui.menu, Menu::Board);
}

TEST_F(Campaign, AFinishedBattleTellsItsResultAndOnlyAVictoryMovesOn) {
    struct Case {
        double mine, theirs;
        std::string result;
        int opponent;
    };
    const Case cases[] = {{5, 4, "You have won the battle!  Score was 5 to 4.", 4},
                          {3, 6, "You have been defeated!  Score was 6 to 3.", 3},
                          {4, 4, "The battle was a draw.  Score was tied 4 to 4.", 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        g().collection.opponent = 3;
        g().collection.unlockedcount = 0;
        for (int s = 1; s <= 5; ++s) g().collection.deck[2][s] = 40 + s;
        for (auto& column : g().match.board) column.fill(1);
        g().queue.announcements.clear();
        summary(1, c.mine);
        g().match.score[2] = c.theirs;
        const Lines texts = h.said("Down\nDown\nEnter\nEnter\n");
        ASSERT_GE(texts.size(), 2u);
        EXPECT_TRUE(texts[1].starts_with(c.result)) << texts[1];
        EXPECT_EQ(g().collection.opponent, c.opponent);
        EXPECT_EQ(g().collection.unlockedcount, c.opponent == 4 ? 1 : 0);
        EXPECT_EQ(g().ui.menu, Menu::Challenge);
    }
    // Past the tenth opponent the story ends and no battle is offered.
    const auto& last = story_content()[10];
    challenge(11, 1);
    EXPECT_EQ(h.said("Up\nDown\nDown\nEnter\n"),
              (Lines{last.sofar, "Configure your deck for battle.", last.intro, last.intro}));
}

struct CampaignDeck : StartedGame {
    void SetUp() override {
        StartedGame::SetUp();
        auto& c = g().collection;
        c.opponent = 2;
        c.unlockedcount = 3;
        c.unlocked = {0, 1, 17, 33};
        c.deck[1] = {0, 1, 2, 3, 4, 17};
        g().ui.menu = Menu::Challenge;
        g().ui.menuitem = 2;
    }
};

TEST_F(CampaignDeck, NumberKeysPutTilesAndSaveOnlyChanges) {
    h.said("Enter\nDown\nDown\n");  // on the rarity 3 tile
    h.keys("Shift+2\n");
    EXPECT_EQ(h.take(), (Lines{"key 50 1",
                               "speak Tile slot 2 can not hold tiles with a rarity "
                               "level greater than 2."}));
    h.keys("3\n");
    const Lines lines = h.take();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[1].starts_with("speak " + g().cards.cardname[33] + " put in spot number 3."));
    EXPECT_EQ(lines[2], "save");
    EXPECT_EQ(g().collection.deck[1][3], 33);
}

TEST_F(CampaignDeck, LeavingNeedsAFullDeck) {
    h.said("Enter\n");
    g().collection.deck[1][2] = 0;
    g().collection.deck[1][4] = 0;
    EXPECT_EQ(h.said("Up\nEnter\n"),
              (Lines{"Previous menu",
                     "You must assign a tile to spot number 2 before you can leave this menu."}));
    EXPECT_EQ(g().ui.menu, Menu::Deck);
    g().collection.deck[1][2] = 5;
    g().collection.deck[1][4] = 6;
    EXPECT_EQ(h.said("Enter\n"), Lines{story_content()[1].sofar});
    EXPECT_EQ(g().ui.menu, Menu::Challenge);
    EXPECT_EQ(g().ui.menuitem, 1);
}

}  // namespace
}  // namespace velloxa::testing
