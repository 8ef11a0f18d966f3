// What a new player meets first: leaving a battle in the middle of a move,
// a saved speech route that cannot speak, a progress file read only in part,
// and keys due at the very end of a wait. A save that fails is checked from
// the outside (tests/scripts/cli.sh), a backup that cannot be written in
// tests/platform/saves_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "support/harness.h"

namespace velloxa::testing {
namespace {

// Where in a battle the player presses Shift+Escape.
struct Leaving {
    const char* name;
    Side first;          // who the coin flip lets go first
    const char* before;  // keys once the battle has started
    double after;        // seconds from the last of those keys to Shift+Escape
};

// A seed whose first battle lets `first` begin.
uint64_t seed_where(Side first) {
    for (uint64_t seed = 1;; ++seed) {
        Harness probe({.script = "", .seed = seed, .headless = {}});
        probe.start();
        probe.keys("Down\nDown\nEnter\n");
        const std::string toss = first == Side::Player
                                     ? "You have been chosen to go first!"
                                     : "Your opponent has been chosen to go first.";
        const Lines said = probe.only("speak ");
        if (std::any_of(said.begin(), said.end(),
                        [&](const std::string& l) { return l.ends_with(toss); }))
            return seed;
    }
}

// The texts told while `script` is delivered, by voice or by title.
Lines told(Harness& h, const std::string& script) {
    h.take();
    h.keys(script);
    Lines texts;
    for (const std::string& l : h.take()) {
        if (l.starts_with("speak ")) texts.push_back(l.substr(6));
        if (l.starts_with("title ") && !l.starts_with("title  ")) texts.push_back(l.substr(6));
    }
    return texts;
}

class LeaveMidMove : public ::testing::TestWithParam<std::tuple<Leaving, int>> {};

TEST_P(LeaveMidMove, EndsTheMoveAtOnceAndLeavesNothingBehind) {
    const auto& [at, route] = GetParam();
    Harness h({.script = "", .seed = seed_where(at.first), .headless = {}});
    h.home.add_sounds();
    h.start();
    for (int i = 0; i < route; ++i) h.keys("Tab\n");
    std::string script = std::string("Down\nDown\nEnter\n") + at.before;
    script += "+" + std::to_string(at.after) + " Shift+Escape\n";
    h.take();
    h.keys(script);
    Game& g = *h.game;
    const MatchState before = g.position();
    const Lines lines = h.take();

    // Everything after the Shift+Escape is the main menu's own "Exit".
    const auto leave = std::find(lines.begin(), lines.end(), "key 27 1");
    ASSERT_NE(leave, lines.end());
    for (auto l = leave + 1; l != lines.end(); ++l)
        EXPECT_TRUE(l->ends_with("Exit") || l->starts_with("press") || l->starts_with("release") ||
                    l->starts_with("play") || l->starts_with("load") || l->starts_with("volume") ||
                    l->starts_with("pan"))
            << *l;
    EXPECT_EQ(g.menu(), Menu::Main);
    EXPECT_EQ(g.menu_item(), 5);
    EXPECT_FALSE(g.position().dropping);
    EXPECT_EQ(g.output().speech().sending_chord, 0);
    EXPECT_FALSE(g.timer_running());

    // The next key is the main menu's, with no trace of the battle.
    const Lines next = told(h, "Down\nDown\n");
    ASSERT_EQ(next.size(), 2u) << "route " << route;
    EXPECT_EQ(next[0], "New game");
    EXPECT_TRUE(next[1].starts_with("Instant action.")) << next[1];
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y) {
            EXPECT_EQ(g.position().tile_at(Spot{x, y}), before.tile_at(Spot{x, y}));
            EXPECT_EQ(g.position().owner_at(Spot{x, y}), before.owner_at(Spot{x, y}));
        }
    EXPECT_EQ(g.position().turn, before.turn);
}

const Leaving kPlaces[] = {
    {"CoinFlipUserFirst", Side::Player, "", 0.5},
    {"CoinFlipEnemyFirst", Side::Enemy, "", 2},
    {"EnemyDrop", Side::Enemy, "", 4.3},
    {"UserDrop", Side::Player, "+1.5 Shift+1\n", 0.1},
    {"EnemyTurnAfterSummary", Side::Player, "+1.5 Shift+1\n+1 Enter\n+0.1 Enter\n", 1.3},
};

INSTANTIATE_TEST_SUITE_P(Moves, LeaveMidMove,
                         ::testing::Combine(::testing::ValuesIn(kPlaces), ::testing::Values(0, 2)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "Route" +
                                    std::to_string(std::get<1>(info.param));
                         });

// Shift+Escape outside a move only goes to the main menu: the wait it came
// in keeps running and what follows it still happens.
TEST(LeaveMidMove, OutsideAMoveTheInterruptedRoutineGoesOn) {
    Harness h;
    h.home.add_sounds();
    h.home.write("progress.ini", "0\r\n3\r\n2\r\nsounds\r\n3\r\n1\r\n0\r\n");
    h.start();
    // "Continue": "Good luck", half a second, then the challenge menu.
    const Lines said = h.said("Down\nDown\nEnter\n+0.2 Shift+Escape\n");
    ASSERT_GE(said.size(), 2u);
    EXPECT_EQ(said[said.size() - 2], "Exit");
    EXPECT_EQ(h.game->menu(), Menu::Challenge);
}

// A saved route that cannot speak is not used: the welcome is always heard,
// and the file keeps its value until something is saved.
TEST(SavedRoute, TheWelcomeIsAlwaysHeard) {
    const std::tuple<const char*, bool, int> routes[] = {
        {"3", false, 0}, {"3", true, 3}, {"-1", false, 0}, {"7", true, 0}, {"1", false, 1}};
    const char* welcome[] = {"speak Welcome", "title Welcome", "", "reader Welcome"};
    for (const auto& [line1, reader, expected] : routes) {
        Harness h({.script = "", .seed = 1, .headless = {.voice = true, .screen_reader = reader}});
        h.home.write("progress.ini", std::string(line1) + "\r\n3\r\n2\r\nsounds\r\n");
        h.start();
        EXPECT_EQ(number_of(h.game->output().speech().speech_route), expected) << line1 << reader;
        EXPECT_EQ(h.only(welcome[expected]).size(), 1u) << line1 << reader;
        EXPECT_TRUE(h.home.read("progress.ini").starts_with(line1));
    }
}

// Seven tiles whose third name is misspelt.
struct DamagedFile : ::testing::Test {
    Harness h;
    std::string file;
    void SetUp() override {
        h.home.add_sounds();
        Catalogue c;
        build_catalogue(c);
        file = "0\r\n3\r\n2\r\nsounds\r\n3\r\n2\r\n7\r\n";
        for (int t : {1, 2, 3, 4, 5, 6, 7})
            file += (t == 3 ? c.tile(t).name + "x" : c.tile(t).name) + "\r\n";
        h.home.write("progress.ini", file);
    }
};

TEST_F(DamagedFile, IsKeptWholeInABackupBeforeTheFirstSaveOnly) {
    h.start();
    h.take();
    h.keys("PageUp\n");
    EXPECT_EQ(h.home.read("progress.ini.bak"), file);
    EXPECT_NE(h.home.read("progress.ini"), file);
    EXPECT_EQ(h.only("save"), Lines{"save"});
    h.home.write("progress.ini.bak", "kept");
    h.keys("PageUp\n");
    EXPECT_EQ(h.home.read("progress.ini.bak"), "kept");
    // A file read whole makes no backup.
    Harness whole;
    whole.home.write("progress.ini", "0\r\n3\r\n2\r\nsounds\r\n");
    whole.start();
    whole.keys("PageUp\n");
    EXPECT_FALSE(std::filesystem::exists(whole.home.path() + "/progress.ini.bak"));
}

// Two keys due at the very end of the drop's first wait both arrive in it.
TEST(WaitEnd, DeliversEveryKeyDueAtItsEnd) {
    Harness h({.script = "", .seed = 3, .headless = {}});
    h.start();
    h.take();
    h.keys("Down\nDown\nEnter\nLeft\nShift+1\n+0.25 Alt\n+0 Alt\n");
    const Lines lines = h.lines();
    const auto first = std::find(lines.begin(), lines.end(), "hold 250");
    ASSERT_LT(first + 2, lines.end());
    EXPECT_EQ(*(first + 1), "key 18 4");
    EXPECT_EQ(*(first + 2), "key 18 4");
}

}  // namespace
}  // namespace velloxa::testing
