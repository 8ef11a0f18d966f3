#include "engine/droptile.h"

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

bool onboard(int x, int y) {
    return x >= 1 && x <= 3 && y >= 1 && y <= 3;
}

void capture(MatchState& m, Spot captor, Spot taken, int side, bool plus, DropEffects& effects) {
    m.score[side] = m.score[side] + 1;
    m.board_owner[taken.x][taken.y] = side;
    effects.captured(captor, taken, side, plus);
}

}  // namespace

void resolve_drop(MatchState& match, const TileRules& tiles, Spot spot, int tile, int side,
                  Drop kind, DropEffects& effects) {
    const int x = spot.x, y = spot.y;
    match.board[x][y] = tile;
    match.board_owner[x][y] = side;
    effects.landed(spot);
    std::array<int, 4> sums{};

    // The tile on the spot is read afresh whenever it is needed: a key
    // handled during a wait may have changed it.
    for (int d = 0; d < 4; ++d) {
        const int nx = x + kDx[d], ny = y + kDy[d];
        if (!onboard(nx, ny)) continue;
        if (match.board[nx][ny] == 0 || match.board_owner[nx][ny] == side) continue;
        const int mine = tiles.attack(match.board[x][y], kDirections[d]);
        const int theirs = tiles.attack(match.board[nx][ny], opposite(d));
        sums[d] = mine + theirs;
        if (mine > theirs) {
            capture(match, spot, Spot{nx, ny}, side, false, effects);
            // Runs whole, waits and all, before the next direction is looked at.
            if (kind == Drop::Placed)
                resolve_drop(match, tiles, Spot{nx, ny}, match.board[nx][ny], side, Drop::Chained,
                             effects);
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
        if (match.board_owner[x + kDx[d]][y + kDy[d]] == side) continue;
        member[d] = true;
        ++members;
    }
    if (plus && members >= 2)
        for (int d = 0; d < 4; ++d)
            if (member[d]) capture(match, spot, Spot{x + kDx[d], y + kDy[d]}, side, true, effects);

    effects.settled(spot, side);
}

}  // namespace velloxa
