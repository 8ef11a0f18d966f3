// Spoken descriptions of board spots and hand tiles.
#include "io/describe.h"

#include "cards/numbers.h"

namespace velloxa {

std::string stat_text(const Catalogue& cards, int t) {
    const Tile& tile = cards.tile(t);
    return tile.name + ", attack " + num(tile.up) + " up, " + num(tile.down) + " down, " +
           num(tile.left) + " left, and " + num(tile.right) + " right.  From the " +
           tile.collection + " collection, rarity level " + num(tile.rarity) + ".  " +
           tile.description;
}

std::string describe_spot(const MatchState& match, const Catalogue& cards) {
    const Spot at = match.cursor;
    const std::string spot = num(at.x) + " " + num(at.y);
    const int t = match.tile_at(at);
    if (t == 0) return spot + ", Empty tile.";
    return spot + ", " + (match.owner_at(at) == Side::Enemy ? "Enemy " : "") + stat_text(cards, t);
}

std::string describe_hand_tile(const MatchState& match, const Catalogue& cards, Side side,
                               int slot) {
    const int t = match.hand(side).tile(slot);
    if (side == Side::Player) return t == 0 ? "card already used." : stat_text(cards, t);
    return t == 0 ? "Enemy's card already used." : "Enemy's " + stat_text(cards, t);
}

}  // namespace velloxa
