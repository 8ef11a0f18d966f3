// Calls into another program that may vanish half-way. The RPC runtime
// reports a server that is gone by raising a structured exception, which
// C++ cannot catch: such a call runs on a thread of its own, and an
// exception raised there ends that thread, not the program.
#pragma once

#include <cstdint>

namespace velloxa {

struct GuardedOutcome {
    enum class Kind { finished, raised, timed_out } kind = Kind::finished;
    // What the call returned, or the code of the exception it raised.
    uint32_t code = 0;
};

// Runs `call(context)` on a new thread and waits up to `timeout_ms` for it.
// `call` must own nothing that needs a destructor: a raised exception ends
// its thread where it stands. After a time-out the call may still be
// running, so `context` and what it points to must then be left alone for
// good.
GuardedOutcome guarded_call(uint32_t (*call)(void* context), void* context, uint32_t timeout_ms);

}  // namespace velloxa
