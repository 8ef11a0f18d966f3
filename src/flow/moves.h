// Moves in progress and how Shift+Escape leaves them.
#pragma once

namespace velloxa {

// Thrown when Shift+Escape leaves a battle in the middle of a move; caught
// where the outermost key is handled. Not a std::exception, so that the
// guards around single platform calls let it pass.
struct MoveAbandoned {};

// Where key handling stands: how deep keys are nested inside waits and
// yields, and how many moves are open.
struct KeyDispatch {
    int depth = 0;
    int moves_open = 0;
};

// A move (a drop, the enemy's turn, a coin flip) running; Shift+Escape
// during it leaves the battle and unwinds everything still open.
class MoveScope {
  public:
    explicit MoveScope(KeyDispatch& keys) : keys_(keys) { ++keys_.moves_open; }
    ~MoveScope() { --keys_.moves_open; }
    MoveScope(const MoveScope&) = delete;
    MoveScope& operator=(const MoveScope&) = delete;

  private:
    KeyDispatch& keys_;
};

}  // namespace velloxa
