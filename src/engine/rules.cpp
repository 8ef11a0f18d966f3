#include "engine/rules.h"

#include <array>

namespace velloxa {

namespace {

// Directions in the order they are always processed.
constexpr std::array<Direction, 4> kDirections = {Direction::Up, Direction::Right, Direction::Down,
                                                  Direction::Left};
constexpr std::array<int, 4> kDx = {0, 1, 0, -1};
constexpr std::array<int, 4> kDy = {-1, 0, 1, 0};

Direction opposite(int d) {
    return kDirections[static_cast<size_t>((d + 2) % 4)];
}

Spot neighbour(Spot spot, int d) {
    return Spot{spot.x + kDx[static_cast<size_t>(d)], spot.y + kDy[static_cast<size_t>(d)]};
}

void capture(MatchState& m, Spot captor, Spot taken, Side side, bool plus, DropEffects& effects) {
    m.add_to_score(side, 1);
    m.set_owner(taken, side);
    effects.captured(captor, taken, side, plus);
}

}  // namespace

void resolve_drop(MatchState& match, const TileRules& tiles, Spot spot, int tile, Side side,
                  Drop kind, DropEffects& effects) {
    match.place(spot, tile, side);
    effects.landed(spot);
    std::array<int, 4> sums{};

    // The tile on the spot is read afresh whenever it is needed: a key
    // handled during a wait may have changed it.
    for (int d = 0; d < 4; ++d) {
        const Spot next = neighbour(spot, d);
        if (!next.on_board()) continue;
        if (match.tile_at(next) == 0 || match.owner_at(next) == side) continue;
        // mutate: drop-stale-tile
        const int mine = tiles.attack(match.tile_at(spot), kDirections[d]);
        const int theirs = tiles.attack(match.tile_at(next), opposite(d));
        sums[d] = mine + theirs;
        if (mine > theirs) {  // mutate: drop-equal-attack-wins
            capture(match, spot, next, side, false, effects);
            // Runs whole, waits and all, before the next direction is looked at.
            if (kind == Drop::Placed)  // mutate: drop-chain-from-chain
                resolve_drop(match, tiles, next, match.tile_at(next), side, Drop::Chained, effects);
        }
    }

    // Plus: every non-zero sum must agree, including those of neighbours the
    // attack rule has just taken; only the ones still held by the other side
    // are captured.
    static constexpr std::array<std::array<int, 2>, 6> kPairs = {
        {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 2}, {1, 3}}};
    bool plus = true;
    for (const auto& [a, b] : kPairs)
        if (sums[a] != 0 && sums[b] != 0 && sums[a] != sums[b]) plus = false;
    std::array<bool, 4> member{};
    int members = 0;
    for (int d = 0; d < 4; ++d) {
        if (sums[d] == 0) continue;
        if (match.owner_at(neighbour(spot, d)) == side) continue;  // mutate: plus-takes-own
        member[d] = true;
        ++members;
    }
    if (plus && members >= 2)  // mutate: plus-one-member
        for (int d = 0; d < 4; ++d)
            if (member[d]) capture(match, spot, neighbour(spot, d), side, true, effects);

    effects.settled(spot, side);
}

}  // namespace velloxa
