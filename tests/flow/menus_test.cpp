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

// From the main menu at start-up, "Continue" into the challenge menu.
const std::string kContinue = "Down\nDown\nEnter\n";

std::vector<int> first_tiles(int count) {
    std::vector<int> tiles;
    for (int t = 1; t <= count; ++t) tiles.push_back(t);
    return tiles;
}

TEST(Menus, StepsWrapAndEnterOnExitSaysGoodBye) {
    const auto h = started_game(progress_file(3, 1));  // a campaign to continue
    EXPECT_EQ(h->said("Up\nUp\nRight\nLeft\nLeft\nLeft\nLeft\nUp\n"),
              (Lines{"Exit", "How to play", "Exit", "How to play", kInstant,
                     "Continue where you last left off.", "New game", "Exit"}));
    h->take();
    h->keys("Enter\n");
    EXPECT_TRUE(h->ended);
    const Lines lines = h->take();  // the key, the Enter sound, ..., Good bye
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_TRUE(lines[1].ends_with("/sounds/menu/enter.wav"));
    EXPECT_EQ(Lines(lines.end() - 3, lines.end()), (Lines{"speak Good bye", "hold 1000", "exit"}));
}

// Nothing to continue: a fresh starter collection, or no campaign begun.
TEST(Menus, ContinueIsSkippedWithExactlyFiveTilesOrBeforeTheFirstOpponent) {
    for (const auto& [count, opponent] : {std::pair{5, 3}, {6, 0}, {7, -2}}) {
        const auto h = started_game(progress_file(3, opponent, first_tiles(count)));
        EXPECT_EQ(h->said("Down\nDown\nUp\nRight\nLeft\n"),
                  (Lines{"New game", kInstant, "New game", kInstant, "New game"}));
    }
    for (int count : {0, 4, 6}) {
        const auto h = started_game(progress_file(3, 1, first_tiles(count)));
        EXPECT_EQ(h->said("Down\nDown\n"), (Lines{"New game", "Continue where you last left off."}))
            << count;
    }
}

TEST(Menus, NewGameConfirmsOverwritingThenCyclesTheDifficulty) {
    const auto h = started_game(progress_file(3, 2, first_tiles(6)));
    h->said("Down\n");
    EXPECT_EQ(h->said("Enter\n"),
              Lines{"Hold shift and press Enter to confirm overwriting your current game."});
    EXPECT_EQ(h->game->menu(), Menu::Main);
    EXPECT_EQ(h->said("Shift+Enter\nDown\nEnter\nEnter\nEnter\nEnter\nUp\n"),
              (Lines{"Configure your game", "Difficulty set to medium.  Press Enter to change.",
                     "Difficulty set to hard.", "Difficulty set to hardest.",
                     "Difficulty set to easiest.", "Difficulty set to easy.", "Begin the game."}));
    EXPECT_EQ(h->game->difficulty(), 2);
}

// A campaign continued at `opponent`, its challenge menu on item 1.
struct Campaign : ::testing::Test {
    std::unique_ptr<Harness> h;
    Game& g() { return *h->game; }
    void challenge(int opponent, const std::vector<int>& deck = {1, 2, 3, 4, 5}) {
        h = started_game(progress_file(3, opponent, {}, deck));
        h->keys(kContinue);
        h->take();
    }
};

TEST_F(Campaign, ChallengeItemsStopAtTheEnds) {
    const auto& story = story_content();
    challenge(1);  // no way back from the first opponent: three items
    EXPECT_EQ(h->said("Up\nEnter\nDown\nDown\nDown\n"),
              (Lines{story[0].so_far, story[0].so_far, "Configure your deck for battle.",
                     story[0].intro, story[0].intro}));
    // Past the tenth opponent the story ends and no battle is offered.
    const auto& last = story[10];
    challenge(11);
    EXPECT_EQ(h->said("Up\nDown\nDown\nEnter\n"),
              (Lines{last.so_far, "Configure your deck for battle.", last.intro, last.intro}));
}

TEST_F(Campaign, GoingBackNeedsShiftAndStopsBelowEleven) {
    const std::string done =
        "You look at your tiles and decide you should spend more time here before moving on to "
        "stronger opponents.";
    challenge(5);
    h->keys("Down\nDown\n");
    EXPECT_EQ(h->said("Down\nEnter\n"),
              (Lines{story_content()[4].go_back,
                     "Hold shift and press Enter to confirm going back to face an earlier "
                     "opponent.  You will have to defeat that opponent again before moving "
                     "forward."}));
    EXPECT_EQ(g().collection().opponent, 5);
    EXPECT_EQ(h->said("Shift+Enter\nCtrl+Enter\n"), (Lines{done, done}));
    EXPECT_EQ(g().collection().opponent, 3);
    for (int from : {11, 15}) {
        challenge(from);
        h->said("Down\nDown\nDown\nShift+Enter\n");
        EXPECT_EQ(g().collection().opponent, 10) << from;
    }
}

// A deck left with a hole (Shift+Escape out of the deck menu, or an edited
// file) would deal four tiles, and a battle the player begins could never
// fill its ninth spot: the challenge refuses until the slot is filled.
TEST_F(Campaign, ABattleWaitsForAFullDeck) {
    challenge(2, {1, 2, 0, 4, 0});
    h->keys("Down\nDown\n");
    // No lead-in and no coin flip: only the refusal.
    EXPECT_EQ(h->said("Enter\n"), Lines{"Deck slot 3 is empty.  Fill it under Configure your "
                                        "deck before you face this opponent."});
    EXPECT_EQ(g().menu(), Menu::Challenge);
    EXPECT_EQ(g().menu_item(), 3);
    challenge(2, {1, 2, 3, 4, 5});
    h->keys("Down\nDown\n");
    EXPECT_EQ(h->said("Enter\n").front().rfind(story_content()[1].coin_flip, 0), 0u);
}

// The user's tile on (2, 2) beats the enemy's on (3, 2): two announcements.
MatchState capturing(const Catalogue& cards) {
    int strong = 1, weak = 1;
    for (int t = 1; t <= cards.count(); ++t) {
        if (cards.tile(t).right > cards.tile(strong).right) strong = t;
        if (cards.tile(t).left < cards.tile(weak).left) weak = t;
    }
    MatchState m;
    m.turn = Side::Player;
    m.cursor = Spot{2, 2};
    m.hand(Side::Player) = Hand({strong, 2, 3, 4, 5});
    m.hand(Side::Enemy) = Hand({17, 18, 19, 20, 21});
    m.place(Spot{3, 2}, weak, Side::Enemy);
    return m;
}

TEST_F(Campaign, SummaryStopsAtItsEndsAndEnterWalksForwardToTheNextTurn) {
    challenge(2);
    g().set_position(capturing(g().catalogue()));
    const Lines lines = h->said("Shift+1\n");
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(g().announcements().size(), 2u);
    const std::string first = lines[0], second = g().announcements()[1];
    const std::string score =
        "Score is 1 to 0.  Press Enter to continue, or escape to view the board.";
    EXPECT_EQ(h->said("Up\nDown\nDown\nDown\nUp\nEnter\n"),
              (Lines{first, second, score, score, second, score}));
    // The enemy's move follows, with its own summary.
    const Lines enemy = h->said("Enter\n");
    ASSERT_EQ(enemy.size(), 2u);
    EXPECT_EQ(enemy[0], "It is your enemy's turn.");
    EXPECT_TRUE(enemy[1].starts_with("Enemy drops ")) << enemy[1];
    std::string to_last;
    for (size_t i = 0; i < g().announcements().size(); ++i) to_last += "Down\n";
    h->keys(to_last);
    EXPECT_EQ(h->said("Enter\n"), Lines{"It is your turn."});
    EXPECT_EQ(g().menu(), Menu::Board);
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
        challenge(3);  // the enemy's hand dealt, so there is a tile to win
        MatchState m;
        for (int x = 1; x <= 3; ++x)
            for (int y = 1; y <= 3; ++y)
                m.place(Spot{x, y}, x == 1 && y == 1 ? 0 : 1, Side::Player);
        m.cursor = Spot{1, 1};
        m.hand(Side::Player) = Hand({1, 2, 3, 4, 5});
        m.add_to_score(Side::Player, c.mine);
        m.add_to_score(Side::Enemy, c.theirs);
        m.turn = Side::Player;
        g().set_position(m);
        h->said("Shift+1\n");  // the last tile: the summary tells the drop
        const Lines texts = h->said("Down\nEnter\nEnter\n");
        ASSERT_GE(texts.size(), 2u);
        EXPECT_TRUE(texts[0].starts_with(c.result)) << texts[0];
        EXPECT_EQ(g().collection().opponent, c.opponent);
        EXPECT_EQ(g().collection().unlocked_count, c.opponent == 4 ? 1 : 0);
        EXPECT_EQ(g().menu(), Menu::Challenge);
    }
}

// A campaign at the second opponent, the deck menu on its first tile.
struct CampaignDeck : Campaign {
    void open(const std::vector<int>& collection, const std::vector<int>& deck) {
        h = started_game(progress_file(3, 2, collection, deck));
        h->keys(kContinue + "Down\nEnter\n");
        h->take();
    }
};

TEST_F(CampaignDeck, NumberKeysPutTilesAndSaveOnlyChanges) {
    open({1, 17, 33}, {1, 2, 3, 4, 17});
    h->said("Down\nDown\n");  // on the rarity 3 tile
    h->keys("Shift+2\n");
    EXPECT_EQ(h->take(), (Lines{"key 50 1",
                                "speak Tile slot 2 can not hold tiles with a rarity "
                                "level greater than 2."}));
    h->keys("3\n");
    const Lines lines = h->take();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(
        lines[1].starts_with("speak " + g().catalogue().tile(33).name + " put in spot number 3."));
    EXPECT_EQ(lines[2], "save");
    EXPECT_EQ(g().collection().deck.tile(3), 33);
}

TEST_F(CampaignDeck, LeavingNeedsAFullDeck) {
    open({1, 3, 5, 6, 17, 33}, {1, 0, 3, 0, 17});
    EXPECT_EQ(h->said("Up\nEnter\n"),
              (Lines{"Previous menu",
                     "You must assign a tile to spot number 2 before you can leave this menu."}));
    EXPECT_EQ(g().menu(), Menu::Deck);
    h->keys("Up\nUp\nUp\n4\nUp\n2\n");  // tiles 6 and 5 into the empty slots
    EXPECT_EQ(g().collection().deck, Hand({1, 5, 3, 6, 17}));
    EXPECT_EQ(h->said("Down\nDown\nDown\nDown\nEnter\n").back(), story_content()[1].so_far);
    EXPECT_EQ(g().menu(), Menu::Challenge);
    EXPECT_EQ(g().menu_item(), 1);
}

}  // namespace
}  // namespace velloxa::testing
