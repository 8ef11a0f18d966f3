// Placing a tile and everything it sets off: the attack rule with its chain
// drops, the Plus rule and the points.
#pragma once

#include "engine/match.h"

namespace velloxa {

// What a drop does beyond the rules. The game plays sounds, waits, queues the
// announcements and redraws; the opponent's trials score the drop instead.
// A real wait may deliver keys that change the very match being dropped on,
// so the rules read the board afresh after every call.
class DropEffects {
  public:
    virtual ~DropEffects() = default;
    // The tile has just been put on `spot`.
    virtual void landed(Spot spot) = 0;
    // The tile on `taken` now belongs to `side`, won by the tile on `captor`.
    virtual void captured(Spot captor, Spot taken, Side side, bool plus) = 0;
    // Everything this drop (a chain drop included) set off is done.
    virtual void settled(Spot spot, Side side) = 0;
};

void resolve_drop(MatchState& match, const TileRules& tiles, Spot spot, int tile, Side side,
                  Drop kind, DropEffects& effects);

}  // namespace velloxa
