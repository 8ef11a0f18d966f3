// The fixed table of every tile kind.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "engine/match.h"

namespace velloxa {

// One tile kind. The built-in content lists its fields in this order.
struct Tile {
    std::string name, description, collection, sound;
    // Said when the tile captures for the player, and for the enemy; $T is the captured tile.
    std::string capture, enemy_capture;
    int up = 0, right = 0, down = 0, left = 0;  // attacks
    int rarity = 0;
};

class Catalogue : public TileRules {
  public:
    // Index 0 is the empty record, the tile of an empty spot or slot.
    Catalogue() : tiles_(1) {}

    // Any index that holds no tile reads as the empty record.
    const Tile& tile(int t) const {
        return t > 0 && t < static_cast<int>(tiles_.size()) ? tiles_[static_cast<size_t>(t)]
                                                            : tiles_[0];
    }
    int count() const { return static_cast<int>(tiles_.size()) - 1; }

    // Appends a tile; returns its index.
    int add(Tile row) {
        tiles_.push_back(std::move(row));
        return count();
    }
    // Replaces tile t (1 or more), with empty records filling any gap up to it.
    void set(int t, Tile row) {
        if (t < 1) return;
        if (t > count()) tiles_.resize(static_cast<size_t>(t) + 1);
        tiles_[static_cast<size_t>(t)] = std::move(row);
    }

    int attack(int t, Direction toward) const override {
        const Tile& row = tile(t);
        switch (toward) {
            case Direction::Up:
                return row.up;
            case Direction::Right:
                return row.right;
            case Direction::Down:
                return row.down;
            default:
                return row.left;
        }
    }
    int rarity(int t) const override { return tile(t).rarity; }

    // Exact, case-sensitive lookup; 0 when no tile bears the name.
    int find(const std::string& name) const {
        for (int i = 1; i <= count(); ++i)
            if (tiles_[static_cast<size_t>(i)].name == name) return i;
        return 0;
    }

    // Names tiles bore in earlier versions: {tile index, former name}.
    std::vector<std::pair<int, std::string>> former;

  private:
    std::vector<Tile> tiles_;
};

struct FormerName {
    int index;
    const char* name;
};

// The built-in tiles, in catalogue order from index 1.
const std::array<Tile, 62>& tile_content();
const std::array<FormerName, 2>& former_names();

// Fills the catalogue from the built-in content.
void build_catalogue(Catalogue& cards);

}  // namespace velloxa
