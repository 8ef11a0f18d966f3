#include "cards/decks.h"

#include <algorithm>

namespace velloxa {

namespace {

// Appends every tile of one rarity level to the scratch list, in index order.
void list_rarity(const Catalogue& cards, std::vector<int>& list, int rarity) {
    list.clear();
    for (int i = 1; i <= cards.count(); ++i)
        if (cards.tile(i).rarity == rarity) list.push_back(i);
}

// Draws a position of the scratch list and removes the entry drawn.
int draw_from(Random& random, std::vector<int>& list) {
    const int pos = random.below(static_cast<int>(list.size()));
    const int tile = list[static_cast<size_t>(pos)];
    list.erase(list.begin() + pos);  // mutate: deal-draw-twice
    return tile;
}

}  // namespace

void deal_starter_deck(Collection& collection, MatchState& match, const Catalogue& cards,
                       Random& random) {
    collection.unlocked_count = 0;
    auto deal = [&](int slot) {
        const int t = draw_from(random, collection.draw_pool);
        match.hand(Side::Player).set(slot, t);
        collection.deck.set(slot, t);
        collection.unlocked.set(++collection.unlocked_count, t);
    };
    list_rarity(cards, collection.draw_pool, 1);
    for (int slot = 1; slot <= 4 && !collection.draw_pool.empty(); ++slot) deal(slot);
    list_rarity(cards, collection.draw_pool, 2);  // mutate: deal-starter-rarity
    if (!collection.draw_pool.empty()) deal(5);
}

void deal_deck_to_hand(const Collection& collection, MatchState& match) {
    match.hand(Side::Player) = collection.deck;
}

RarityCounts instant_rarity_counts(int roll) {
    if (roll <= 24) return {0, 1, 2, 2, 0, 0};  // mutate: deal-roll-table
    if (roll <= 69) return {0, 1, 1, 2, 1, 0};
    if (roll <= 89) return {0, 1, 1, 1, 2, 0};
    return {0, 1, 1, 1, 1, 1};
}

void deal_instant_hands(Collection& collection, MatchState& match, const Catalogue& cards,
                        Random& random) {
    deal_by_rarity(collection, match, cards, random, instant_rarity_counts(random.below(100) + 1),
                   Hands::Both);
}

void deal_by_rarity(Collection& collection, MatchState& match, const Catalogue& cards,
                    Random& random, RarityCounts counts, Hands hands) {
    const auto dealt = [hands](Side side) {
        return hands == Hands::Both ||
               (hands == Hands::Player ? side == Side::Player : side == Side::Enemy);
    };
    std::vector<int>& list = collection.draw_pool;
    int slot = 0;
    for (int r = 1; r <= 5; ++r) {
        if (counts[static_cast<size_t>(r)] <= 0) continue;
        list_rarity(cards, list, r);
        while (counts[static_cast<size_t>(r)] > 0 && slot < 5) {
            ++slot;
            for (const Side side : {Side::Player, Side::Enemy}) {
                if (!dealt(side)) continue;
                // A catalogue too small for the counts leaves the slot as it was.
                if (!list.empty()) match.hand(side).set(slot, draw_from(random, list));
            }
            --counts[static_cast<size_t>(r)];
        }
    }
    list.clear();
}

Placement put_tile_in_deck(Collection& collection, const Catalogue& cards, int position, int slot) {
    if (position < 1 || position > std::min(collection.unlocked_count, UnlockedTiles::kMax) ||
        slot < 1 || slot > 5)
        return {};
    Hand& deck = collection.deck;
    const int t = collection.unlocked.at(position);
    const int old = deck.tile(slot);
    Placement placed;
    placed.slot = slot;
    placed.tile = t;
    if (t == old) {
        placed.outcome = Placement::Outcome::AlreadyThere;
        return placed;
    }
    if (cards.tile(t).rarity > slot) {
        placed.outcome = Placement::Outcome::TooRare;
        return placed;
    }
    deck.set(slot, t);
    placed.outcome = Placement::Outcome::Placed;
    placed.returned = old;
    for (int i = 1; i <= 5; ++i) {
        if (i == slot || deck.tile(i) != t) continue;
        deck.set(i, 0);
        placed.emptied.push_back(i);
    }
    return placed;
}

int first_empty_deck_slot(const Collection& collection) {
    for (int i = 1; i <= 5; ++i)
        if (collection.deck.tile(i) == 0) return i;
    return 0;
}

}  // namespace velloxa
