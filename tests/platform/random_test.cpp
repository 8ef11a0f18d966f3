#include <gtest/gtest.h>

#include "engine/random.h"

namespace velloxa {

TEST(Random, KnownOutputsForSeedZero) {
    Random r(0);
    EXPECT_EQ(r.next_u64(), 0xE220A8397B1DCDAFULL);
    EXPECT_EQ(r.next_u64(), 0x6E789E6AA1B965F4ULL);
    EXPECT_EQ(r.next_u64(), 0x06C45D188009454FULL);
}

TEST(Random, DrawsStayInRange) {
    Random r(12345);
    for (int i = 0; i < 10000; ++i) {
        const double v = r.rnd();
        ASSERT_GE(v, 0.0);
        ASSERT_LT(v, 1.0);
        const int k = r.below(4);
        ASSERT_GE(k, 0);
        ASSERT_LT(k, 4);
    }
}

}  // namespace velloxa
