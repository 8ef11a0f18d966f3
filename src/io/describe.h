// Spoken descriptions of tiles, board spots and hand slots, and the board
// picture for sighted onlookers.
#pragma once

#include <string>

#include "cards/catalogue.h"
#include "engine/match.h"
#include "io/platform.h"

namespace velloxa {

// Name, attacks, world, rarity and description of tile t.
std::string stat_text(const Catalogue& cards, int t);
// The spot under the board cursor.
std::string describe_spot(const MatchState& match, const Catalogue& cards);
// The tile in a hand slot of either side.
std::string describe_hand_tile(const MatchState& match, const Catalogue& cards, Side side,
                               int slot);

void draw_board(Canvas& canvas, const MatchState& match, const Catalogue& cards);

}  // namespace velloxa
