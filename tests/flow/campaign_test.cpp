// The challenge menu, the summary read after each move and the deck menu.
#include <gtest/gtest.h>

#include "flow/story.h"
#include "support/harness.h"

namespace velloxa::testing {

namespace {

using Texts = std::vector<std::string>;

const std::string kTail = ".  Press Enter to continue, or escape to view the board.";

struct Campaign : ::testing::Test {
    Harness h;
    Game& g() { return *h.game; }
    void SetUp() override {
        h.home.addsounds();
        h.start();
    }
    void challenge(int opponent, int item) {
        g().collection.opponent = opponent;
        g().ui.menu = 4;
        g().ui.menuitem = item;
    }
    // The summary of a move with `n` announcements; `full` fills the board.
    void summary(int n, bool full, double mine, double theirs) {
        g().queue.list2.clear();
        for (int i = 1; i <= n; ++i) g().queue.list2.push_back("Line " + std::to_string(i) + ".");
        for (int x = 1; x <= 3; ++x)
            for (int y = 1; y <= 3; ++y) {
                g().match.board[x][y] = full || x != 3 || y != 3 ? 1 : 0;
                g().match.boardowner[x][y] = g().match.board[x][y] == 0 ? 0 : 1;
            }
        g().match.score[1] = mine;
        g().match.score[2] = theirs;
        g().ui.menu = 5;
        g().ui.menuitem = 0;
    }
};

}  // namespace

TEST_F(Campaign, ChallengeMenuIsSilentWithoutACampaign) {
    for (int opponent : {0, -3}) {
        challenge(opponent, 2);
        EXPECT_TRUE(h.said("Down\nUp\nEnter\n").empty());
        EXPECT_EQ(g().ui.menuitem, 2);
        EXPECT_EQ(g().ui.menu, 4);
    }
}

TEST_F(Campaign, ChallengeItemsStopAtTheEnds) {
    const auto& story = story_content();
    challenge(1, 0);
    EXPECT_EQ(h.said("Up\nEnter\nDown\nDown\nDown\n"),
              (Texts{story[0].sofar, story[0].sofar, "Configure your deck for battle.",
                     story[0].intro, story[0].intro}));
    challenge(4, 4);
    EXPECT_EQ(h.said("Down\nUp\nUp\n"),
              (Texts{story[3].goback, story[3].intro, "Configure your deck for battle."}));
    // The item count shrinks to 3 once the campaign is back at opponent 1.
    challenge(1, 4);
    EXPECT_EQ(h.said("Down\n"), Texts{story[0].intro});
}

TEST_F(Campaign, GoingBackNeedsShiftAndStopsBelowEleven) {
    const std::string confirm =
        "Hold shift and press Enter to confirm going back to face an earlier opponent.  You will "
        "have to defeat that opponent again before moving forward.";
    const std::string done =
        "You look at your tiles and decide you should spend more time here before moving on to "
        "stronger opponents.";
    challenge(5, 4);
    EXPECT_EQ(h.said("Enter\n"), Texts{confirm});
    EXPECT_EQ(g().collection.opponent, 5);
    EXPECT_EQ(h.said("Shift+Enter\nCtrl+Enter\n"), (Texts{done, done}));
    EXPECT_EQ(g().collection.opponent, 3);
    EXPECT_EQ(g().ui.menuitem, 4);
    for (int from : {11, 15}) {
        challenge(from, 4);
        h.said("Shift+Enter\n");
        EXPECT_EQ(g().collection.opponent, 10) << from;
    }
}

TEST_F(Campaign, SummaryStepsWithoutWrappingAndEnterWalksForward) {
    summary(2, false, 1, 0);
    const std::string score = "Score is 1 to 0" + kTail;
    h.take();
    g().menus(-1, 0);
    EXPECT_EQ(h.only("speak "), Texts{"speak Line 1."});
    EXPECT_EQ(h.said("Up\nDown\nDown\nDown\nUp\nEnter\n"),
              (Texts{"Line 1.", "Line 2.", score, score, "Line 2.", score}));
    g().match.turn = 1;
    EXPECT_EQ(h.said("Enter\n"), Texts{"It is your turn."});
    EXPECT_EQ(g().ui.menu, 0);
    EXPECT_EQ(g().ui.menuitem, 0);
}

TEST_F(Campaign, SummaryResultLines) {
    struct Case {
        double mine, theirs;
        std::string line;
    };
    const Case cases[] = {
        {5, 4, "You have won the battle!  Score was 5 to 4" + kTail},
        {4, 5, "You have been defeated!  Score was 5 to 4" + kTail},
        {2, 2, "The battle was a draw.  Score was tied 2 to 2" + kTail},
    };
    for (const Case& c : cases) {
        summary(1, true, c.mine, c.theirs);
        EXPECT_EQ(h.said("Down\nDown\nDown\n"), (Texts{"Line 1.", c.line, c.line}));
    }
}

TEST_F(Campaign, EnemysTurnWaitsAroundItsMove) {
    summary(1, false, 0, 0);
    g().match.turn = 2;
    g().ui.menuitem = 2;
    h.take();
    h.keys("Enter\n");
    Texts tail;
    bool after = false;
    for (const auto& l : h.take()) {
        after = after || l == "speak It is your enemy's turn.";
        if (after && (l.rfind("hold ", 0) == 0 || l.rfind("speak ", 0) == 0)) tail.push_back(l);
    }
    // The enemy holds no tile here, so it has no move to make.
    EXPECT_EQ(tail, (Texts{"speak It is your enemy's turn.", "hold 1000", "hold 500"}));
    EXPECT_EQ(g().ui.menu, 0);
}

TEST_F(Campaign, FinishedBattleLeadsBackToTheRightMenu) {
    const auto& story = story_content();
    // A lost campaign battle tells the same opponent's story again.
    g().collection.opponent = 3;
    g().ui.battlemode = 0;
    summary(1, true, 1, 2);
    EXPECT_EQ(h.said("Enter\nEnter\n").back(), story[2].sofar);
    EXPECT_EQ(g().collection.opponent, 3);
    EXPECT_EQ(g().ui.menu, 4);
    // Instant action: a draw lands on "New game", a win on "Exit".
    g().ui.battlemode = 4;
    summary(1, true, 3, 3);
    EXPECT_EQ(h.said("Enter\nEnter\n").back(), "New game");
    summary(1, true, 4, 3);
    EXPECT_EQ(h.said("Enter\nEnter\n").back(), "Exit");
    EXPECT_EQ(g().ui.menu, 1);
    EXPECT_EQ(g().ui.menuitem, 5);
}

struct DeckMenu : Campaign {
    void SetUp() override {
        Campaign::SetUp();
        auto& c = g().collection;
        c.opponent = 2;
        c.unlockedcount = 3;
        c.unlocked[1] = 1;
        c.unlocked[2] = 17;
        c.unlocked[3] = 33;
        const int deck[6] = {0, 1, 2, 3, 4, 17};
        for (int s = 1; s <= 5; ++s) c.deck[1][s] = deck[s];
        g().ui.menu = 4;
        g().ui.menuitem = 2;
    }
};

TEST_F(DeckMenu, TilesCarryTheirSlotAndTheLastItemWraps) {
    EXPECT_EQ(h.said("Enter\nDown\nDown\nDown\nDown\nUp\n"),
              (Texts{"Tile 1: " + g().stattext(1), "Tile 5: " + g().stattext(17), g().stattext(33),
                     "Previous menu", "Tile 1: " + g().stattext(1), "Previous menu"}));
    EXPECT_EQ(g().ui.menu, 6);
    EXPECT_EQ(h.said("Down\nEnter\n"),
              (Texts{"Tile 1: " + g().stattext(1),
                     "Press number keys 1 through 5 to put tiles into your deck.  These are the "
                     "tiles you will have when you face your next opponent."}));
}

TEST_F(DeckMenu, NumberKeysPutTilesAndSaveOnlyChanges) {
    h.said("Enter\nDown\nDown\n");  // on the rarity 3 tile
    h.take();
    h.keys("Shift+2\n");
    EXPECT_EQ(h.take(), (Texts{"key 50 1",
                               "speak Tile slot 2 can not hold tiles with a rarity "
                               "level greater than 2."}));
    h.keys("3\n");
    const auto lines = h.take();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].rfind("speak " + g().cards.cardname[33] + " put in spot number 3.", 0), 0u);
    EXPECT_EQ(lines[2], "save");
    EXPECT_EQ(g().collection.deck[1][3], 33);
}

TEST_F(DeckMenu, LeavingNeedsAFullDeck) {
    h.said("Enter\n");
    g().collection.deck[1][2] = 0;
    g().collection.deck[1][4] = 0;
    EXPECT_EQ(h.said("Up\nEnter\n"),
              (Texts{"Previous menu",
                     "You must assign a tile to spot number 2 before you can leave this menu."}));
    EXPECT_EQ(g().ui.menu, 6);
    g().collection.deck[1][2] = 5;
    g().collection.deck[1][4] = 6;
    EXPECT_EQ(h.said("Enter\n"), Texts{story_content()[1].sofar});
    EXPECT_EQ(g().ui.menu, 4);
    EXPECT_EQ(g().ui.menuitem, 1);
}

}  // namespace velloxa::testing
