// The state of one battle, free of any input or output: it can be copied and
// played forward, which is how the computer opponent tries its drops.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace velloxa {

// Sides of a battle; also the owner of a spot and whose move it is.
enum class Side { Nobody, Player, Enemy };

// A spot on the board, column x and row y, each 1 to 3.
struct Spot {
    int x = 0, y = 0;
    bool on_board() const { return x >= 1 && x <= 3 && y >= 1 && y <= 3; }
    bool operator==(const Spot&) const = default;
};

// A tile placed from a hand, or a captured tile dropped again by its new
// owner (which captures further but starts no chain of its own).
enum class Drop { Placed, Chained };

// Five tile slots, numbered 1 to 5 as the player counts them; 0 is an empty
// slot. Used for the hands of a battle and for the decks they are dealt from.
class Hand {
  public:
    static constexpr int kSlots = 5;
    Hand() = default;
    explicit Hand(const std::array<int, kSlots>& tiles) : tiles_(tiles) {}

    // A slot outside 1 to 5 reads empty.
    int tile(int slot) const { return in_range(slot) ? tiles_[index(slot)] : 0; }
    void set(int slot, int tile) {
        if (in_range(slot)) tiles_[index(slot)] = tile;
    }
    bool operator==(const Hand&) const = default;

  private:
    static bool in_range(int slot) { return slot >= 1 && slot <= kSlots; }
    static size_t index(int slot) { return static_cast<size_t>(slot - 1); }
    std::array<int, kSlots> tiles_{};
};

class MatchState {
  public:
    // The tile on a spot and its owner; a spot off the board reads empty.
    int tile_at(Spot spot) const { return spot.on_board() ? cell(spot).tile : 0; }
    Side owner_at(Spot spot) const { return spot.on_board() ? cell(spot).owner : Side::Nobody; }
    void place(Spot spot, int tile, Side owner) {
        if (spot.on_board()) cell(spot) = {tile, owner};
    }
    void set_owner(Spot spot, Side owner) {
        if (spot.on_board()) cell(spot).owner = owner;
    }
    void clear_board() { cells_ = {}; }

    Hand& hand(Side side) { return hands_[side == Side::Enemy ? 1 : 0]; }
    const Hand& hand(Side side) const { return hands_[side == Side::Enemy ? 1 : 0]; }

    // Points won; fractions only in the opponent's trials.
    double score(Side side) const { return scores_[side == Side::Enemy ? 1 : 0]; }
    void add_to_score(Side side, double points) {
        double& s = scores_[side == Side::Enemy ? 1 : 0];
        s = s + points;
    }
    void reset_scores() { scores_ = {}; }

    bool board_full() const {
        for (const Cell& c : cells_)
            if (c.tile == 0) return false;
        return true;
    }

    Side turn = Side::Nobody;
    Spot cursor;
    int hand_cursor = 0;
    // True from an accepted drop until its handling ends, so that keys
    // pressed during the drop's waits cannot start a second one.
    bool dropping = false;

  private:
    struct Cell {
        int tile = 0;
        Side owner = Side::Nobody;
    };
    const Cell& cell(Spot spot) const {
        return cells_[static_cast<size_t>((spot.x - 1) * 3 + spot.y - 1)];
    }
    Cell& cell(Spot spot) { return cells_[static_cast<size_t>((spot.x - 1) * 3 + spot.y - 1)]; }

    std::array<Cell, 9> cells_{};
    std::array<Hand, 2> hands_{};  // the player's, the enemy's
    std::array<double, 2> scores_{};
};

// The texts of the latest move, read by the summary menu.
struct AnnouncementQueue {
    std::vector<std::string> announcements;
};

// The attacks and rarity of every tile kind, as the rules need them.
enum class Direction { Up, Right, Down, Left };

class TileRules {
  public:
    virtual ~TileRules() = default;
    virtual int attack(int tile, Direction toward) const = 0;
    virtual int rarity(int tile) const = 0;
};

}  // namespace velloxa
