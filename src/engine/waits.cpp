#include "engine/waits.h"

#include <cmath>

namespace velloxa {

void Waits::hold(double seconds) {
    // Round to whole milliseconds, halves to even (the default rounding mode).
    const auto interval = static_cast<int64_t>(std::nearbyint(seconds * 1000.0));
    clock_.wait_started(interval);
    if (interval < 1) return;
    holder.interval = interval;
    holder.end = clock_.now_ms() + interval;
    // A key handled exactly at the end may be followed by another due at
    // that same moment: the timer fires only once nothing more is due.
    while (holder.interval >= 1) {
        const uint64_t before = keys_;
        clock_.process_until(holder.end);
        if (holder.interval < 1) break;
        if (keys_ == before && clock_.now_ms() >= holder.end) {  // mutate: waits-end-early
            stop_timer();
            break;
        }
    }
}

}  // namespace velloxa
