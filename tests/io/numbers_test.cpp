#include <gtest/gtest.h>

#include "io/numbers.h"

namespace velloxa {
namespace {

TEST(Numbers, WholeValuesHaveNoPoint) {
    EXPECT_EQ(num(3), "3");
    EXPECT_EQ(num(-2), "-2");
    EXPECT_EQ(num(0), "0");
    EXPECT_EQ(num(-0.0), "0");
    EXPECT_EQ(num(9999999999999998.0), "9999999999999998");
}

TEST(Numbers, OtherValuesUseTheShortestForm) {
    EXPECT_EQ(num(2.5), "2.5");
    EXPECT_EQ(num(0.0001), "0.0001");
    EXPECT_EQ(num(123.25), "123.25");
    EXPECT_EQ(num(-0.07), "-0.07");
    EXPECT_EQ(num(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(num(1e-05), "1e-05");
    EXPECT_EQ(num(2.5e16), "2.5e+16");
    EXPECT_EQ(num(1e16), "1e+16");
    EXPECT_EQ(num(1e300), "1e+300");
    EXPECT_EQ(num(1234567.5), "1234567.5");
}

TEST(Numbers, WholePartIsHeldWithinABillion) {
    EXPECT_EQ(wholepart(2.9), 2);
    EXPECT_EQ(wholepart(-2.1), -3);
    EXPECT_EQ(wholepart(1e12), 1000000000);
    EXPECT_EQ(wholepart(-1e300), -1000000000);
}

TEST(Numbers, ParsingAcceptsOnlyNumbers) {
    EXPECT_EQ(parsenumber(" 3 \t"), 3.0);
    EXPECT_EQ(parsenumber("-2.5"), -2.5);
    EXPECT_EQ(parsenumber("+.5"), 0.5);
    EXPECT_EQ(parsenumber("5."), 5.0);
    EXPECT_EQ(parsenumber("1e3"), 1000.0);
    EXPECT_EQ(parsenumber("1E+2"), 100.0);
    for (const char* bad : {"", " ", "abc", "3x", "1e", ".", "-", "1 2", "0x10", "--1", "1e+"})
        EXPECT_FALSE(parsenumber(bad).has_value()) << bad;
    EXPECT_TRUE(parsenumber("1e999").has_value());  // out of range still counts as a number
}

}  // namespace
}  // namespace velloxa
