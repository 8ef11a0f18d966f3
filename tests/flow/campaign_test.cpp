// The challenge menu, the summary read after each move and the deck menu.
#include <gtest/gtest.h>

#include <algorithm>

#include "flow/story.h"
#include "io/describe.h"
#include "support/harness.h"

namespace velloxa::testing {
namespace {

const std::string kTail = ".  Press Enter to continue, or escape to view the board.";

struct Campaign : StartedGame {
    void challenge(int opponent, int item) {
        g().collection.opponent = opponent;
        g().ui.menu = Menu::Challenge;
        g().ui.menuitem = item;
    }
    // The summary of a move with `n` announcements; `full` fills the board.
    void summary(int n, bool full, double mine, double theirs) {
        g().queue.announcements.clear();
        for (int i = 1; i <= n; ++i)
            g().queue.announcements.push_back("Line " + std::to_string(i) + ".");
        for (int x = 1; x <= 3; ++x)
            for (int y = 1; y <= 3; ++y)
                g().match.board[x][y] = g().match.boardowner[x][y] = full || x + y < 6;
        g().match.score = {0, mine, theirs};
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
    summary(2, false, 1, 0);
    const std::string score = "Score is 1 to 0" + kTail;
    h.take();
    g().menus(-1, 0);
    EXPECT_EQ(h.only("speak "), Lines{"speak Line 1."});
    EXPECT_EQ(h.said("Up\nDown\nDown\nDown\nUp\nEnter\n"),
              (Lines{"Line 1.", "Line 2.", score, score, "Line 2.", score}));
    g().match.turn = 1;
    EXPECT_EQ(h.said("Enter\n"), Lines{"It is your turn."});
    EXPECT_EQ(g().ui.menu, Menu::Board);
}

TEST_F(Campaign, EnemysTurnWaitsAroundItsMove) {
    summary(1, false, 0, 0);
    g().match.turn = 2;
    g().ui.menuitem = 2;
    h.take();
    h.keys("Enter\n");
    const Lines lines = h.take();
    const auto from = std::find(lines.begin(), lines.end(), "speak It is your enemy's turn.");
    // The enemy holds no tile here, so it has no move to make.
    EXPECT_EQ(Lines(from, lines.end()),
              (Lines{"speak It is your enemy's turn.", "hold 1000", "hold 500"}));
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
    std::string tile(int t) { return stattext(g().cards, t); }
};

TEST_F(CampaignDeck, TilesCarryTheirSlotAndTheLastItemWraps) {
    EXPECT_EQ(h.said("Enter\nDown\nDown\nDown\nDown\nUp\nDown\nEnter\n"),
              (Lines{"Tile 1: " + tile(1), "Tile 5: " + tile(17), tile(33), "Previous menu",
                     "Tile 1: " + tile(1), "Previous menu", "Tile 1: " + tile(1),
                     "Press number keys 1 through 5 to put tiles into your deck.  These are the "
                     "tiles you will have when you face your next opponent."}));
    EXPECT_EQ(g().ui.menu, Menu::Deck);
}

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
