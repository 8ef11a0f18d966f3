#include "platform/sdl/spsc_ring.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <thread>
#include <vector>

namespace velloxa {
namespace {

TEST(SpscRing, TakesWhatFitsAndGivesItBackInOrderAcrossTheWrap) {
    SpscRing<int, 8> ring;
    const std::vector<int> items = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(ring.push(items.data(), 6), 6u);
    std::vector<int> out(8);
    EXPECT_EQ(ring.pop(out.data(), 4), 4u);
    EXPECT_EQ(std::vector<int>(out.begin(), out.begin() + 4), (std::vector<int>{1, 2, 3, 4}));
    // 2 left, room for 6: the last of these do not fit.
    const std::vector<int> more = {7, 8, 9, 10, 11, 12, 13};
    EXPECT_EQ(ring.push(more.data(), 7), 6u);
    EXPECT_EQ(ring.size(), 8u);
    EXPECT_EQ(ring.pop(nullptr, 1), 1u);  // dropped unread
    EXPECT_EQ(ring.pop(out.data(), 8), 7u);
    EXPECT_EQ(std::vector<int>(out.begin(), out.begin() + 7),
              (std::vector<int>{6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(ring.pop(out.data(), 1), 0u);
}

// One thread writes a counting sequence in uneven pieces, the other reads
// it back; every value must arrive once and in order.
TEST(SpscRing, TwoThreadsPassASequenceWithoutLossOrReordering) {
    constexpr uint32_t kCount = 200000;
    SpscRing<uint32_t, 256> ring;
    std::thread producer([&] {
        std::vector<uint32_t> piece(37);
        for (uint32_t next = 0; next < kCount;) {
            const uint32_t n =
                std::min<uint32_t>(static_cast<uint32_t>(piece.size()), kCount - next);
            std::iota(piece.begin(), piece.begin() + n, next);
            size_t sent = 0;
            while (sent < n) sent += ring.push(piece.data() + sent, n - sent);
            next += n;
        }
    });
    std::vector<uint32_t> chunk(53);
    uint32_t expected = 0;
    bool ordered = true;
    while (expected < kCount) {
        const size_t n = ring.pop(chunk.data(), chunk.size());
        for (size_t i = 0; i < n; ++i) ordered = ordered && chunk[i] == expected++;
    }
    producer.join();
    EXPECT_TRUE(ordered);
    EXPECT_EQ(ring.size(), 0u);
}

}  // namespace
}  // namespace velloxa
