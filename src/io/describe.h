// Spoken descriptions of tiles, board spots and hand slots, and the board
// picture for sighted onlookers.
#pragma once

#include <string>

#include "cards/catalogue.h"
#include "cards/decks.h"
#include "engine/match.h"
#include "io/platform.h"
#include "io/texts.h"

namespace velloxa {

// Name, attacks, world, rarity and description of tile t.
std::string stat_text(const Texts& texts, const Catalogue& cards, int t);
// The spot under the board cursor.
std::string describe_spot(const Texts& texts, const MatchState& match, const Catalogue& cards);
// The tile in a hand slot of either side.
std::string describe_hand_tile(const Texts& texts, const MatchState& match, const Catalogue& cards,
                               Side side, int slot);
// What putting a tile into the deck did, as said.
std::string placement_text(const Texts& texts, const Catalogue& cards, const Placement& placed);

void draw_board(Canvas& canvas, const Texts& texts, const MatchState& match,
                const Catalogue& cards);

}  // namespace velloxa
