#include <cmath>

#include "flow/game.h"

namespace velloxa {

void Game::list2additem(const std::string& tempm) {
    if (match.predicting == 1) return;
    queue.list2.push_back(tempm);
}

void Game::hold(double seconds) {
    // Round to whole milliseconds, halves to even (the default rounding mode).
    const auto interval = static_cast<int64_t>(std::nearbyint(seconds * 1000.0));
    platform.clock.wait_started(interval);
    if (interval < 1) return;
    // A wait started inside another replaces the shared end time; when it
    // fires the interval drops to 0 and the outer wait ends too.
    holder.interval = interval;
    holder.end = platform.clock.now_ms() + interval;
    // A key handled exactly at the end may be followed by another due at
    // that same moment: the timer fires only once nothing more is due.
    while (holder.interval >= 1) {
        const uint64_t before = keys.handled;
        platform.clock.process_until(holder.end);
        if (holder.interval < 1) break;
        if (keys.handled == before && platform.clock.now_ms() >= holder.end) {
            holder_Timer();
            break;
        }
    }
}

void Game::holder_Timer() {
    holder.interval = 0;
}

}  // namespace velloxa
