// The one wait of the game and the clock it runs on. A wait keeps handling
// keys until its shared timer fires; a wait started inside another replaces
// the shared end time, and when it fires both end.
#pragma once

#include <cstdint>

namespace velloxa {

// Clock with waiting and event processing, given by the platform. Time is in
// milliseconds.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual int64_t now_ms() = 0;
    // A wait of `interval_ms` begins (reported for every wait, also 0).
    virtual void wait_started(int64_t interval_ms) = 0;
    // Process events while waiting for `deadline_ms`. Returns once the clock
    // has reached the deadline or after an event was handled, whichever is
    // first; the caller loops until its own condition holds.
    virtual void process_until(int64_t deadline_ms) = 0;
    // Handle the events that are already pending, without waiting.
    virtual void yield() = 0;
};

// The shared timer behind every wait: interval 0 means no wait is running.
struct Holder {
    int64_t interval = 0;
    int64_t end = 0;
};

class Waits {
  public:
    explicit Waits(Clock& clock) : clock_(clock) {}
    void hold(double seconds);
    void stop_timer() { holder.interval = 0; }
    // Told by the key handler for every key, so a wait knows whether its
    // last round handled one.
    void key_handled() { ++keys_; }

    Holder holder;

  private:
    Clock& clock_;
    uint64_t keys_ = 0;
};

}  // namespace velloxa
