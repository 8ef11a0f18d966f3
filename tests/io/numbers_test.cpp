#include "cards/numbers.h"

#include <gtest/gtest.h>

#include <limits>

namespace velloxa {
namespace {

TEST(Numbers, FormsAndLimits) {
    // Whole values without a point, others in their shortest exact form.
    EXPECT_EQ(num(-2), "-2");
    EXPECT_EQ(num(-0.0), "0");
    EXPECT_EQ(num(9999999999999998.0), "9999999999999998");
    EXPECT_EQ(num(-0.07), "-0.07");
    EXPECT_EQ(num(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(num(1e-05), "1e-05");
    EXPECT_EQ(num(1e16), "1e+16");
    EXPECT_EQ(num(2.5e16), "2.5e+16");
    EXPECT_EQ(wholepart(-2.1), -3);
    EXPECT_EQ(wholepart(1e12), 1000000000);
    EXPECT_EQ(wholepart(-1e300), -1000000000);
    EXPECT_EQ(parsenumber(" +.5e1 \t"), 5.0);
    EXPECT_EQ(parsenumber("5."), 5.0);
    // Out of range still counts as a number, held at the largest finite one
    // so that it can be written back and read again.
    EXPECT_EQ(parsenumber("-1e999"), -std::numeric_limits<double>::max());
    EXPECT_EQ(parsenumber(num(*parsenumber("1e999"))), std::numeric_limits<double>::max());
    for (const char* bad : {"", "abc", "3x", "1e", ".", "-", "1 2", "0x10", "--1", "1e+"})
        EXPECT_FALSE(parsenumber(bad).has_value()) << bad;
}

}  // namespace
}  // namespace velloxa
