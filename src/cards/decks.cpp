#include <algorithm>

#include "flow/game.h"
#include "io/numbers.h"

namespace velloxa {

namespace {

// Appends every tile of one rarity level to the scratch list, in index order.
void listrarity(const Catalogue& cards, std::vector<int>& list, int rarity) {
    list.clear();
    for (int i = 1; i <= cards.cardcount; ++i)
        if (cards.cardrarity[i] == rarity) list.push_back(i);
}

// Draws a position of the scratch list and removes the entry drawn.
int drawfrom(Random& random, std::vector<int>& list) {
    const int pos = random.below(static_cast<int>(list.size()));
    const int tile = list[static_cast<size_t>(pos)];
    list.erase(list.begin() + pos);
    return tile;
}

}  // namespace

void Game::starterdeck() {
    collection.unlockedcount = 0;
    auto deal = [&](int slot) {
        const int t = drawfrom(random, collection.list1);
        match.hand[1][slot] = t;
        collection.deck[1][slot] = t;
        collection.unlocked[static_cast<size_t>(++collection.unlockedcount)] = t;
    };
    listrarity(cards, collection.list1, 1);
    for (int slot = 1; slot <= 4 && !collection.list1.empty(); ++slot) deal(slot);
    listrarity(cards, collection.list1, 2);
    if (!collection.list1.empty()) deal(5);
}

void Game::resetdeck() {
    for (int slot = 1; slot <= 5; ++slot) match.hand[1][slot] = collection.deck[1][slot];
}

std::array<int, 6> Game::instantcounts(int roll) {
    if (roll <= 24) return {0, 1, 2, 2, 0, 0};
    if (roll <= 69) return {0, 1, 1, 2, 1, 0};
    if (roll <= 89) return {0, 1, 1, 1, 2, 0};
    return {0, 1, 1, 1, 1, 1};
}

void Game::instantdecks() {
    dealbyrarity(instantcounts(random.below(100) + 1), 0);
}

void Game::dealbyrarity(std::array<int, 6> counts, int sides) {
    std::vector<int>& list = collection.list1;
    int slot = 0;
    for (int r = 1; r <= 5; ++r) {
        if (counts[static_cast<size_t>(r)] <= 0) continue;
        listrarity(cards, list, r);
        while (counts[static_cast<size_t>(r)] > 0 && slot < 5) {
            ++slot;
            for (int side = 1; side <= 2; ++side) {
                if (sides != 0 && sides != side) continue;
                // A catalogue too small for the counts leaves the slot as it was.
                if (!list.empty())
                    match.hand[static_cast<size_t>(side)][slot] = drawfrom(random, list);
            }
            --counts[static_cast<size_t>(r)];
        }
    }
    list.clear();
}

std::string Game::puttile(int position, int slot, bool& changed) {
    changed = false;
    if (position < 1 || position > std::min(collection.unlockedcount, 999) || slot < 1 || slot > 5)
        return {};
    auto& deck = collection.deck[1];
    const int t = collection.unlocked[static_cast<size_t>(position)];
    const int old = deck[static_cast<size_t>(slot)];
    const std::string n = num(slot);
    if (t == old) return "This tile is already in slot " + n + ".";
    if (cards.cardrarity[static_cast<size_t>(t)] > slot)
        return "Tile slot " + n + " can not hold tiles with a rarity level greater than " + n + ".";
    deck[static_cast<size_t>(slot)] = t;
    std::string text = cards.cardname[static_cast<size_t>(t)] + " put in spot number " + n + ".";
    if (old != 0)
        text += "  " + cards.cardname[static_cast<size_t>(old)] + " was put back into your pocket.";
    for (int i = 1; i <= 5; ++i) {
        if (i == slot || deck[static_cast<size_t>(i)] != t) continue;
        deck[static_cast<size_t>(i)] = 0;
        text += "  Spot number " + num(i) + " is empty now.";
    }
    changed = true;
    return text;
}

int Game::firstemptyslot() const {
    for (int i = 1; i <= 5; ++i)
        if (collection.deck[1][static_cast<size_t>(i)] == 0) return i;
    return 0;
}

}  // namespace velloxa
