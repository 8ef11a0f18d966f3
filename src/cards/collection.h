// The player's collection, deck and the campaign position.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/match.h"

namespace velloxa {

// The tiles unlocked so far, in the order the collection menu lists them.
// Positions run 1 to kMax; one outside reads as no tile and takes none.
class UnlockedTiles {
  public:
    static constexpr int kMax = 999;
    int at(int position) const { return in_range(position) ? tiles_[index(position)] : 0; }
    void set(int position, int tile) {
        if (in_range(position)) tiles_[index(position)] = tile;
    }

  private:
    static bool in_range(int position) { return position >= 1 && position <= kMax; }
    static size_t index(int position) { return static_cast<size_t>(position - 1); }
    std::array<int, kMax> tiles_{};
};

struct Collection {
    UnlockedTiles unlocked;
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
