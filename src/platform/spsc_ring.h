// A fixed ring between one producing and one consuming thread, without
// locks or allocation, so that the audio callback can use it.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <type_traits>

namespace velloxa {

template <class T, size_t Capacity>
class SpscRing {
    static_assert(std::is_trivially_copyable_v<T>);
    static_assert(Capacity > 0 && (Capacity & (Capacity - 1)) == 0, "a power of two");

  public:
    // Producer: copies as many of `items` as there is room for; returns how many.
    size_t push(const T* items, size_t count) noexcept {
        const size_t head = head_.load(std::memory_order_relaxed);
        const size_t tail = tail_.load(std::memory_order_acquire);
        const size_t n = std::min(count, Capacity - (head - tail));
        for (size_t i = 0; i < n; ++i) items_[(head + i) & kMask] = items[i];
        head_.store(head + n, std::memory_order_release);
        return n;
    }
    // Consumer: takes up to `count` items into `out` (null: drops them);
    // returns how many.
    size_t pop(T* out, size_t count) noexcept {
        const size_t tail = tail_.load(std::memory_order_relaxed);
        const size_t head = head_.load(std::memory_order_acquire);
        const size_t n = std::min(count, head - tail);
        if (out != nullptr)
            for (size_t i = 0; i < n; ++i) out[i] = items_[(tail + i) & kMask];
        tail_.store(tail + n, std::memory_order_release);
        return n;
    }
    // Either side: items written and not yet taken.
    size_t size() const noexcept {
        return head_.load(std::memory_order_acquire) - tail_.load(std::memory_order_acquire);
    }

  private:
    static constexpr size_t kMask = Capacity - 1;
    // Each index on a cache line of its own: the two threads write one each.
    alignas(64) std::atomic<size_t> head_{0};
    alignas(64) std::atomic<size_t> tail_{0};
    std::array<T, Capacity> items_{};
};

}  // namespace velloxa
