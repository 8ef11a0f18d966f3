// The tile a won campaign battle steals from the opponent's deck.
#pragma once

#include <optional>

#include "cards/catalogue.h"
#include "cards/collection.h"
#include "engine/random.h"

namespace velloxa {

// Draws a tile of the enemy's deck that the collection lacks, weighted
// toward low rarities, and files it in the collection by rarity. None when
// there is nothing new to take (or no room left).
std::optional<int> pick_stolen_tile(Collection& collection, const Catalogue& cards, Random& random);

}  // namespace velloxa
