// Helpers shared by the card tests. Tiles are looked up by rarity so the
// tests do not depend on the content.
#pragma once

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "support/harness.h"

namespace velloxa::testing {

using Slots = std::array<int, 6>;  // a hand or deck; slot 0 unused

inline std::unique_ptr<Harness> started(uint64_t seed = 1) {
    HarnessOptions options;
    options.seed = seed;
    auto h = std::make_unique<Harness>(options);
    h->start(false);
    return h;
}

inline std::vector<int> tilesofrarity(const Game& g, int rarity) {
    std::vector<int> out;
    for (int i = 1; i <= g.cards.cardcount; ++i)
        if (g.cards.cardrarity[static_cast<size_t>(i)] == rarity) out.push_back(i);
    return out;
}

inline const std::string& nameof(const Game& g, int t) {
    return g.cards.cardname[static_cast<size_t>(t)];
}

// The rarities of slots 1 to 5.
inline std::vector<int> rarities(const Game& g, const Slots& slots) {
    std::vector<int> out;
    for (size_t s = 1; s <= 5; ++s)
        out.push_back(g.cards.cardrarity[static_cast<size_t>(slots[s])]);
    return out;
}

inline void setunlocked(Game& g, const std::vector<int>& tiles) {
    g.collection.unlocked = {};
    g.collection.unlockedcount = static_cast<int>(tiles.size());
    std::copy(tiles.begin(), tiles.end(), g.collection.unlocked.begin() + 1);
}

inline std::vector<int> unlockedlist(const Game& g) {
    const auto& u = g.collection.unlocked;
    return {u.begin() + 1, u.begin() + 1 + g.collection.unlockedcount};
}

}  // namespace velloxa::testing
