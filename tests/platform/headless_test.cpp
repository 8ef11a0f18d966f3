#include <gtest/gtest.h>

#include "support/harness.h"

namespace velloxa {
namespace {

// At the top level the clock moves on to each timed key's time, its delay
// after the last delivery; how waits hand out keys is checked in tests/flow.
TEST(HeadlessClock, AtTheTopLevelTheClockMovesOnToEachTimedKey) {
    struct Idle : EventSink {
        void on_key(int, int) override {}
        void on_paint() override {}
    } idle;
    testing::Harness h({.script = "A\n+1.5 B\nC\n+0.25 D\n", .seed = 0, .headless = {}});
    h.host->run(idle);
    EXPECT_EQ(h.host->now_ms(), 1750);
}

}  // namespace
}  // namespace velloxa
