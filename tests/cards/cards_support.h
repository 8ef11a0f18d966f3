// The built-in catalogue and plain collections for the card tests. Tiles are
// looked up by rarity so the tests do not depend on the content.
#pragma once

#include <algorithm>
#include <array>
#include <vector>

#include "cards/catalogue.h"
#include "cards/collection.h"

namespace velloxa::testing {

using Slots = std::array<int, 5>;  // the tiles of a hand or deck, slots 1 to 5

inline const Catalogue& catalogue() {
    static const Catalogue cards = [] {
        Catalogue c;
        build_catalogue(c);
        return c;
    }();
    return cards;
}

inline int tile_of(int rarity, size_t n) {
    std::vector<int> out;
    for (int i = 1; i <= catalogue().count(); ++i)
        if (catalogue().tile(i).rarity == rarity) out.push_back(i);
    return out.at(n);
}

inline const std::string& name_of(int t) {
    return catalogue().tile(t).name;
}

inline Slots slots_of(const Hand& hand) {
    Slots out{};
    for (int s = 1; s <= Hand::kSlots; ++s) out[static_cast<size_t>(s - 1)] = hand.tile(s);
    return out;
}

// The rarities of slots 1 to 5.
inline std::vector<int> rarities(const Hand& hand) {
    std::vector<int> out;
    for (const int t : slots_of(hand)) out.push_back(catalogue().tile(t).rarity);
    return out;
}

inline void set_unlocked(Collection& c, const std::vector<int>& tiles) {
    c.unlocked = {};
    c.unlocked_count = static_cast<int>(tiles.size());
    for (size_t i = 0; i < tiles.size(); ++i) c.unlocked.set(static_cast<int>(i) + 1, tiles[i]);
}

inline std::vector<int> unlocked_list(const Collection& c) {
    std::vector<int> list;
    for (int i = 1; i <= c.unlocked_count; ++i) list.push_back(c.unlocked.at(i));
    return list;
}

}  // namespace velloxa::testing
