#include "engine/random.h"

#include <gtest/gtest.h>

namespace velloxa {

// The generator the transcripts of seeded runs depend on.
TEST(Random, KnownOutputsForSeedZero) {
    Random r(0);
    EXPECT_EQ(r.next_u64(), 0xE220A8397B1DCDAFULL);
    EXPECT_EQ(r.next_u64(), 0x6E789E6AA1B965F4ULL);
    EXPECT_EQ(r.next_u64(), 0x06C45D188009454FULL);
    Random draws(0);
    EXPECT_EQ(draws.rnd(), 0.8833108082136426);
    EXPECT_EQ(draws.below(10), 4);
}

}  // namespace velloxa
