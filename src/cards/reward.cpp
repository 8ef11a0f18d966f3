#include "cards/reward.h"

namespace velloxa {

namespace {

// Entries per candidate in the weight list: low rarities are stolen far more
// often. No tile (index 0) and unknown levels weigh nothing and so can never
// be drawn.
int steal_weight(const Catalogue& cards, int t) {
    if (t < 1 || t > cards.count()) return 0;
    switch (cards.tile(t).rarity) {
        case 1:
            return 27;  // mutate: reward-weight
        case 2:
            return 9;
        case 3:
            return 3;
        case 4:
        case 5:
            return 1;
        default:
            return 0;
    }
}

bool owned(const Collection& c, int t) {
    for (int i = 1; i <= c.unlocked_count && i <= UnlockedTiles::kMax; ++i)
        if (c.unlocked.at(i) == t) return true;
    return false;
}

}  // namespace

std::optional<int> pick_stolen_tile(Collection& collection, const Catalogue& cards,
                                    Random& random) {
    std::vector<int>& weights = collection.draw_pool;
    weights.clear();
    bool any_new = false;
    for (int s = 1; s <= 5; ++s) {
        const int t = collection.enemy_deck.tile(s);
        const int w = steal_weight(cards, t);
        // A candidate that can never be drawn must not count as new, or the
        // draw below would never end.
        if (w > 0 && !owned(collection, t)) any_new = true;
        weights.insert(weights.end(), static_cast<size_t>(w), t);
    }
    // A full list (only possible with an edited progress file) has no room left.
    if (!any_new || collection.unlocked_count >= UnlockedTiles::kMax) return std::nullopt;

    int t = 0;
    do {
        t = weights[static_cast<size_t>(random.below(static_cast<int>(weights.size())))];
    } while (owned(collection, t));

    // After the last tile of equal or lower rarity, so equal rarities keep
    // the order in which they were gained.
    UnlockedTiles& list = collection.unlocked;
    const int rarity = cards.tile(t).rarity;
    int s = collection.unlocked_count;
    // mutate: reward-insert
    while (s >= 1 && cards.tile(list.at(s)).rarity > rarity) --s;
    const int pos = s + 1;
    ++collection.unlocked_count;
    for (int j = collection.unlocked_count; j > pos; --j) list.set(j, list.at(j - 1));
    list.set(pos, t);
    return t;
}

}  // namespace velloxa
