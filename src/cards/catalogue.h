// The fixed table of every tile kind.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/match.h"

namespace velloxa {

struct Catalogue : TileRules {
    static constexpr int kCapacity = 201;  // indices 0..200; 0 is the empty record
    std::array<std::string, kCapacity> tile_name, tile_description, tile_collection, tile_sound,
        tile_capture, tile_enemy_capture;
    std::array<int, kCapacity> tile_up{}, tile_right{}, tile_down{}, tile_left{}, tile_rarity{};
    int tile_count = 0;
    // Names tiles bore in earlier versions: {tile index, former name}.
    std::vector<std::pair<int, std::string>> former;

    int attack(int tile, Direction toward) const override {
        switch (toward) {
            case Direction::Up:
                return tile_up[tile];
            case Direction::Right:
                return tile_right[tile];
            case Direction::Down:
                return tile_down[tile];
            default:
                return tile_left[tile];
        }
    }
    int rarity(int tile) const override { return tile_rarity[tile]; }

    // Exact, case-sensitive lookup; 0 when no tile bears the name.
    int find(const std::string& name) const {
        for (int i = 1; i <= tile_count; ++i)
            if (tile_name[i] == name) return i;
        return 0;
    }
};

// One tile of the built-in content, in catalogue order.
struct TileContent {
    const char* name;
    const char* desc;
    const char* collection;
    const char* sound;
    const char* capture;
    const char* enemy_capture;
    int up, right, down, left, rarity;
};

struct FormerName {
    int index;
    const char* name;
};

const std::array<TileContent, 62>& tile_content();
const std::array<FormerName, 2>& former_names();

// Fills the catalogue from the built-in content.
void build_catalogue(Catalogue& cards);

}  // namespace velloxa
