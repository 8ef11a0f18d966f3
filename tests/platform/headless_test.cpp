#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "platform/cli.h"
#include "platform/headless/headless.h"
#include "support/harness.h"

namespace velloxa {
namespace {

using testing::Harness;
using testing::TestHost;

TEST(Script, ParsesNamesModifiersAndTimes) {
    const auto ev = parsescript(
        "# comment\n\n  Enter  \nshift+ESCAPE\n+1.5 Ctrl+Alt+vk200\nShift+Ctrl\nCtrl\n+0 z\n7\n"
        "PageUp\npagedown\nTab\nLeft\nUp\nRight\nDown\nAlt\n");
    ASSERT_EQ(ev.size(), 15u);
    EXPECT_FALSE(ev[0].timed);
    EXPECT_EQ(ev[0].code, 13);
    EXPECT_EQ(ev[0].state, 0);
    EXPECT_EQ(ev[1].code, 27);
    EXPECT_EQ(ev[1].state, 1);
    EXPECT_TRUE(ev[2].timed);
    EXPECT_EQ(ev[2].delay_ms, 1500);
    EXPECT_EQ(ev[2].code, 200);
    EXPECT_EQ(ev[2].state, 6);
    EXPECT_EQ(ev[3].code, 17);  // a pressed Ctrl with Shift held
    EXPECT_EQ(ev[3].state, 3);
    EXPECT_EQ(ev[4].state, 2);
    EXPECT_TRUE(ev[5].timed);
    EXPECT_EQ(ev[5].delay_ms, 0);
    EXPECT_EQ(ev[5].code, 90);
    EXPECT_EQ(ev[6].code, 55);
    const int codes[] = {33, 34, 9, 37, 38, 39, 40, 18};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(ev[static_cast<size_t>(7 + i)].code, codes[i]);
    EXPECT_EQ(ev[14].state, 4);
}

TEST(Script, BadLinesNameTheirNumber) {
    const char* bad[] = {"Enter\nFoo\n",       "Enter\n\nShift+Shift+A\n", "Enter\n+x A\n",
                         "Enter\n+1.5\n",      "Enter\nMeta+A\n",          "Enter\nvk\n",
                         "Enter\n+-1 A\n",     "Enter\nvk12x\n",           "Enter\nAB\n"};
    const int lines[] = {2, 3, 2, 2, 2, 2, 2, 2, 2};
    for (int i = 0; i < 9; ++i) {
        try {
            parsescript(bad[i]);
            ADD_FAILURE() << "accepted: " << bad[i];
        } catch (const ScriptError& e) {
            EXPECT_EQ(e.line, lines[i]) << bad[i];
        }
    }
}

// Records keys and runs a callback for each, so waits can be nested.
struct Sink : EventSink {
    std::function<void(int)> onkey;
    void on_key(int code, int) override { onkey(code); }
    void on_paint() override {}
};

struct ClockFixture : ::testing::Test {
    std::ostringstream out;
    std::unique_ptr<TestHost> host;
    std::unique_ptr<Platform> platform;
    std::unique_ptr<Game> game;
    testing::TempDir home;
    Sink sink;
    std::vector<std::pair<int, int64_t>> seen;  // key code and clock at delivery

    void make(const std::string& script) {
        host = std::make_unique<TestHost>(parsescript(script), HeadlessOptions{}, out);
        platform = std::make_unique<Platform>(host->platform());
        game = std::make_unique<Game>(*platform, StartOptions{{home.path(), home.path()}, 0});
    }
    void record(int code) { seen.emplace_back(code, host->now_ms()); }
};

TEST_F(ClockFixture, WaitStartedInsideAWaitEndsBoth) {
    make("A\n+0.3 B\nC\n");
    sink.onkey = [&](int code) {
        record(code);
        if (code == 'A') game->hold(1.0);
        if (code == 'B') game->hold(0.2);
    };
    host->run(sink);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], std::make_pair(int('A'), int64_t{0}));
    EXPECT_EQ(seen[1], std::make_pair(int('B'), int64_t{300}));
    // The inner wait replaced the shared end (500 ms); the outer one ended with it.
    EXPECT_EQ(seen[2], std::make_pair(int('C'), int64_t{500}));
    EXPECT_EQ(out.str(), "key 65 0\nhold 1000\nkey 66 0\nhold 200\nkey 67 0\n");
}

TEST_F(ClockFixture, UntimedEventsWaitForTheTopLevelAndTimedOnesMayFallLater) {
    make("A\nB\n+2 C\n");
    sink.onkey = [&](int code) {
        record(code);
        if (code == 'A') game->hold(0.75);
    };
    host->run(sink);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].second, 750);   // B only after A's wait ran to its end
    EXPECT_EQ(seen[2].second, 2750);  // C is due 2 s after B's delivery; idle, the clock jumps
}

TEST_F(ClockFixture, TimedEventDueAfterTheWaitIsNotDeliveredInsideIt) {
    make("A\n+1.5 B\n");
    sink.onkey = [&](int code) {
        record(code);
        if (code == 'A') game->hold(1.0);
    };
    host->run(sink);
    EXPECT_EQ(out.str(), "key 65 0\nhold 1000\nkey 66 0\n");
    EXPECT_EQ(seen[1].second, 1500);
}

TEST_F(ClockFixture, ZeroWaitReturnsAtOnceAndHalvesRoundToEven) {
    make("+0 A\n");
    sink.onkey = [&](int code) { record(code); };
    game->hold(0.0004);
    game->hold(0.0025);  // 2.5 ms rounds to 2
    game->hold(0.0035);  // 3.5 ms rounds to 4
    EXPECT_EQ(out.str(), "hold 0\nhold 2\nhold 4\n");
    EXPECT_TRUE(seen.empty());  // nothing is delivered before the top level runs
    EXPECT_EQ(host->now_ms(), 6);
}

TEST_F(ClockFixture, YieldDeliversOnlyEventsAlreadyDue) {
    make("A\n+0 B\n+1 C\n");
    sink.onkey = [&](int code) {
        record(code);
        if (code == 'A') host->yield();
    };
    host->run(sink);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1], std::make_pair(int('B'), int64_t{0}));  // delivered inside A's yield
    EXPECT_EQ(seen[2].second, 1000);
}

TEST(CommandLine, OptionsAndErrors) {
    auto p = parsecommandline({"--home", "/tmp/h//", "--seed", "18446744073709551615",
                               "--headless", "-", "--no-voice", "--screen-reader",
                               "--no-sound-device"});
    EXPECT_TRUE(p.error.empty());
    EXPECT_EQ(p.cmd.home, "/tmp/h");
    EXPECT_EQ(p.cmd.seed, 18446744073709551615ULL);
    EXPECT_TRUE(p.cmd.seeded && p.cmd.no_voice && p.cmd.screen_reader && p.cmd.no_sound_device);
    EXPECT_EQ(p.cmd.headless, "-");
    EXPECT_NE(parsecommandline({"--seed", "18446744073709551616"}).error, "");
    EXPECT_NE(parsecommandline({"--seed", "-1"}).error, "");
    EXPECT_NE(parsecommandline({"--home"}).error.find("--home"), std::string::npos);
    EXPECT_NE(parsecommandline({"--frobnicate"}).error.find("--frobnicate"), std::string::npos);
    EXPECT_TRUE(parsecommandline({"--help"}).help);
    EXPECT_TRUE(parsecommandline({"--version"}).version);
}

TEST(StartUp, FatalSoundDeviceFailureShowsTheMessageAndEnds) {
    Harness h({.script = "Enter\n", .seed = 1, .headless = {.sound_device = false}});
    h.start();
    EXPECT_TRUE(h.ended);
    const auto lines = h.lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2],
              "msgbox Unable to start DirectSound. Check to see that your sound card is properly "
              "installed.  Try running Dorvic.exe from your Quillon folder.  For some people, "
              "this can correct this issue.");
    EXPECT_EQ(lines.back(), "exit");
    EXPECT_TRUE(h.only("key ").empty());
    EXPECT_TRUE(h.only("speak Welcome").empty());
}

TEST(StartUp, WelcomeLineAndMainMenu) {
    Harness h;
    h.start();
    EXPECT_EQ(h.only("speak "),
              std::vector<std::string>{"speak Welcome to Nebbin's Velloxa, version 0.5f.  Main menu."});
    EXPECT_EQ(h.game->ui.menu, 1);
    EXPECT_EQ(h.game->ui.menuitem, 0);
    EXPECT_EQ(h.game->ui.difficulty, 3);
    EXPECT_EQ(h.game->match.handcursor, 1);
    EXPECT_EQ(h.game->cards.cardcount, 62);
}

}  // namespace
}  // namespace velloxa
