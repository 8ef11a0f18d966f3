// The player's collection, deck and the campaign position.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/match.h"

namespace velloxa {

struct Collection {
    std::array<int, 1000> unlocked{};  // positions 1..999
    int unlocked_count = 0;
    Hand deck;        // the player's, dealt to the hand before each campaign battle
    Hand enemy_deck;  // the opponent's latest hand: the tiles a win may take
    int opponent = 0;
    std::vector<int> draw_pool;  // tiles still to draw from, for draws without repetition
    // The progress file as read, while only part of it could be read: kept
    // in a backup before the first save replaces it.
    std::optional<std::string> unreadable;
};

}  // namespace velloxa
