// Small helpers shared by the collection, deck and progress tests. They look
// tiles up by rarity and name so the tests do not depend on the content.
#pragma once

#include <string>
#include <vector>

#include "flow/game.h"
#include "support/harness.h"

namespace velloxa::testing {

inline HarnessOptions seeded(uint64_t seed) {
    HarnessOptions options;
    options.seed = seed;
    return options;
}

inline std::vector<int> tilesofrarity(const Game& g, int rarity) {
    std::vector<int> out;
    for (int i = 1; i <= g.cards.cardcount; ++i)
        if (g.cards.cardrarity[static_cast<size_t>(i)] == rarity) out.push_back(i);
    return out;
}

inline int rarityof(const Game& g, int t) {
    return g.cards.cardrarity[static_cast<size_t>(t)];
}

inline const std::string& nameof(const Game& g, int t) {
    return g.cards.cardname[static_cast<size_t>(t)];
}

inline void setunlocked(Game& g, const std::vector<int>& tiles) {
    g.collection.unlocked = {};
    g.collection.unlockedcount = static_cast<int>(tiles.size());
    for (size_t i = 0; i < tiles.size(); ++i) g.collection.unlocked[i + 1] = tiles[i];
}

inline std::vector<int> unlockedlist(const Game& g) {
    std::vector<int> out;
    for (int i = 1; i <= g.collection.unlockedcount; ++i)
        out.push_back(g.collection.unlocked[static_cast<size_t>(i)]);
    return out;
}

inline std::vector<int> deckof(const Game& g, int side) {
    const auto& d = g.collection.deck[static_cast<size_t>(side)];
    return {d[1], d[2], d[3], d[4], d[5]};
}

inline std::vector<int> handof(const Game& g, int side) {
    const auto& h = g.match.hand[static_cast<size_t>(side)];
    return {h[1], h[2], h[3], h[4], h[5]};
}

}  // namespace velloxa::testing
