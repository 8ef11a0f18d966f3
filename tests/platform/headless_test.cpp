#include "platform/headless/headless.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "platform/cli.h"
#include "support/harness.h"

namespace velloxa {
namespace {

using testing::Harness;
using testing::Lines;

TEST(Script, ParsesNamesModifiersAndTimes) {
    Lines events;
    for (const ScriptEvent& e : parsescript(
             "# comment\n\n  Enter  \nshift+ESCAPE\n+1.5 Ctrl+Alt+vk200\nShift+Ctrl\nCtrl\n+0 z\n"
             "7\nPageUp\npagedown\nTab\nLeft\nUp\nRight\nDown\nAlt\n"))
        events.push_back((e.timed ? "+" + std::to_string(e.delay_ms) + " " : "") +
                         std::to_string(e.code) + "/" + std::to_string(e.state));
    // A modifier pressed on its own carries its own state bit.
    EXPECT_EQ(events, (Lines{"13/0", "27/1", "+1500 200/6", "17/3", "17/2", "+0 90/0", "55/0",
                             "33/0", "34/0", "9/0", "37/0", "38/0", "39/0", "40/0", "18/4"}));
}

TEST(Script, BadLinesNameTheirNumber) {
    const std::pair<const char*, int> bad[] = {
        {"Enter\nFoo\n", 2},   {"Enter\n\nShift+Shift+A\n", 3}, {"Enter\n+x A\n", 2},
        {"Enter\n+1.5\n", 2},  {"Enter\nMeta+A\n", 2},          {"Enter\nvk\n", 2},
        {"Enter\n+-1 A\n", 2}, {"Enter\nvk12x\n", 2},           {"Enter\nAB\n", 2}};
    for (const auto& [script, line] : bad) {
        try {
            parsescript(script);
            ADD_FAILURE() << "accepted: " << script;
        } catch (const ScriptError& e) {
            EXPECT_EQ(e.line, line) << script;
        }
    }
}

using Seen = std::vector<std::pair<int, int64_t>>;

// A script run from the top level, with `onkey` called for every key; keeps
// each key code with the clock at its delivery.
struct Timeline : EventSink {
    explicit Timeline(const std::string& script)
        : h({.script = script, .seed = 0, .headless = {}}) {}
    Seen run(std::function<void(int)> action) {
        onkey = std::move(action);
        h.host->run(*this);
        return seen;
    }
    void on_key(int code, int) override {
        seen.emplace_back(code, h.host->now_ms());
        onkey(code);
    }
    void on_paint() override {}
    void hold(double seconds) { h.game->hold(seconds); }

    Harness h;
    std::function<void(int)> onkey;
    Seen seen;
};

TEST(Clock, WaitStartedInsideAWaitEndsBoth) {
    Timeline t("A\n+0.3 B\nC\n");
    const auto onkey = [&](int code) {
        if (code != 'C') t.hold(code == 'A' ? 1.0 : 0.2);
    };
    // The inner wait replaced the shared end (500 ms); the outer one ended with it.
    EXPECT_EQ(t.run(onkey), (Seen{{'A', 0}, {'B', 300}, {'C', 500}}));
    EXPECT_EQ(t.h.out.str(), "key 65 0\nhold 1000\nkey 66 0\nhold 200\nkey 67 0\n");
}

TEST(Clock, UntimedEventsWaitForTheTopLevelAndTimedOnesMayFallLater) {
    Timeline t("A\nB\n+2 C\n");
    const auto onkey = [&](int code) {
        if (code == 'A') t.hold(0.75);
    };
    // C is due 2 s after B's delivery; with nothing to do, the clock jumps there.
    EXPECT_EQ(t.run(onkey), (Seen{{'A', 0}, {'B', 750}, {'C', 2750}}));
}

TEST(Clock, WaitsAndYieldsDeliverOnlyEventsDueWithinThem) {
    Timeline wait("A\n+1.5 B\n"), yield("A\n+0 B\n+1 C\n");
    const auto waits = [&](int code) {
        if (code == 'A') wait.hold(1.0);
    };
    const auto yields = [&](int code) {
        if (code == 'A') yield.h.host->yield();
    };
    EXPECT_EQ(wait.run(waits), (Seen{{'A', 0}, {'B', 1500}}));
    EXPECT_EQ(wait.h.out.str(), "key 65 0\nhold 1000\nkey 66 0\n");
    EXPECT_EQ(yield.run(yields), (Seen{{'A', 0}, {'B', 0}, {'C', 1000}}));
}

TEST(Clock, ZeroWaitReturnsAtOnceAndHalvesRoundToEven) {
    Timeline t("+0 A\n");
    for (double seconds : {0.0004, 0.0025, 0.0035}) t.hold(seconds);
    EXPECT_EQ(t.h.out.str(), "hold 0\nhold 2\nhold 4\n");
    EXPECT_TRUE(t.seen.empty());  // nothing is delivered before the top level runs
    EXPECT_EQ(t.h.host->now_ms(), 6);
}

TEST(CommandLine, OptionsAndSeedLimits) {
    auto p = parsecommandline({"--home", "/tmp/h//", "--seed", "18446744073709551615", "--headless",
                               "-", "--no-voice", "--screen-reader", "--no-sound-device"});
    EXPECT_TRUE(p.error.empty());
    EXPECT_EQ(p.cmd.home, "/tmp/h");
    EXPECT_EQ(p.cmd.seed, 18446744073709551615ULL);
    EXPECT_TRUE(p.cmd.seeded && p.cmd.no_voice && p.cmd.screen_reader && p.cmd.no_sound_device);
    EXPECT_EQ(p.cmd.headless, "-");
    for (const char* bad : {"18446744073709551616", "-1", "1e3"})
        EXPECT_NE(parsecommandline({"--seed", bad}).error, "") << bad;
    EXPECT_NE(parsecommandline({"--home"}).error.find("--home"), std::string::npos);
}

TEST(StartUp, WithoutASoundDeviceTheMessageAndTheEnd) {
    Harness h({.script = "Enter\n", .seed = 1, .headless = {.sound_device = false}});
    h.start();
    EXPECT_TRUE(h.ended);
    EXPECT_EQ(h.only("speak ").size() + h.only("key ").size(), 0u);
    const Lines lines = h.lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(Lines(lines.end() - 2, lines.end()),
              (Lines{"msgbox Unable to start DirectSound. Check to see that your sound card is "
                     "properly installed.  Try running Dorvic.exe from your Quillon folder.  For "
                     "some people, this can correct this issue.",
                     "exit"}));
}

}  // namespace
}  // namespace velloxa
