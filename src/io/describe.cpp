// Spoken descriptions of board spots and hand tiles.
#include "io/describe.h"

#include "cards/numbers.h"

namespace velloxa {

std::string stat_text(const Texts& texts, const Catalogue& cards, int t) {
    const Tile& tile = cards.tile(t);
    return texts.tr(
        "{name}, attack {up} up, {down} down, {left} left, and {right} right.  From the "
        "{collection} collection, rarity level {rarity}.  {description}",
        {{"name", texts.content(tile.name)},
         {"up", num(tile.up)},
         {"down", num(tile.down)},
         {"left", num(tile.left)},
         {"right", num(tile.right)},
         {"collection", texts.content(tile.collection)},
         {"rarity", num(tile.rarity)},
         {"description", texts.content(tile.description)}});
}

std::string describe_spot(const Texts& texts, const MatchState& match, const Catalogue& cards) {
    const Spot at = match.cursor;
    const std::string x = num(at.x), y = num(at.y);
    const int t = match.tile_at(at);
    if (t == 0) return texts.tr("{x} {y}, Empty tile.", {{"x", x}, {"y", y}});
    const std::string tile = stat_text(texts, cards, t);
    // TRANSLATORS: {tile} is the tile's whole description, starting with its name.
    if (match.owner_at(at) == Side::Enemy)
        return texts.tr("{x} {y}, Enemy {tile}", {{"x", x}, {"y", y}, {"tile", tile}});
    return texts.tr("{x} {y}, {tile}", {{"x", x}, {"y", y}, {"tile", tile}});
}

std::string describe_hand_tile(const Texts& texts, const MatchState& match, const Catalogue& cards,
                               Side side, int slot) {
    const int t = match.hand(side).tile(slot);
    if (side == Side::Player)
        return t == 0 ? texts.tr("card already used.") : stat_text(texts, cards, t);
    if (t == 0) return texts.tr("Enemy's card already used.");
    return texts.tr("Enemy's {tile}", {{"tile", stat_text(texts, cards, t)}});
}

std::string placement_text(const Texts& texts, const Catalogue& cards, const Placement& placed) {
    const std::string slot = num(placed.slot);
    switch (placed.outcome) {
        case Placement::Outcome::Refused:
            return {};
        case Placement::Outcome::AlreadyThere:
            return texts.tr("This tile is already in slot {slot}.", {{"slot", slot}});
        case Placement::Outcome::TooRare:
            return texts.tr(
                "Tile slot {slot} can not hold tiles with a rarity level greater than {slot}.",
                {{"slot", slot}});
        case Placement::Outcome::Placed:
            break;
    }
    std::string text =
        texts.tr("{tile} put in spot number {slot}.",
                 {{"tile", texts.content(cards.tile(placed.tile).name)}, {"slot", slot}});
    if (placed.returned != 0)
        text += texts.tr("  {tile} was put back into your pocket.",
                         {{"tile", texts.content(cards.tile(placed.returned).name)}});
    for (const int emptied : placed.emptied)
        text += texts.tr("  Spot number {slot} is empty now.", {{"slot", num(emptied)}});
    return text;
}

}  // namespace velloxa
