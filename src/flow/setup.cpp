#include "flow/game.h"

namespace velloxa {

std::array<int, 6> Game::opponentcounts(int opponent) {
    // Rarity 1 to 5 per campaign opponent; every row adds up to five tiles.
    static constexpr std::array<std::array<int, 6>, 11> kRows = {{
        {0, 0, 0, 0, 0, 0},
        {0, 4, 1, 0, 0, 0},
        {0, 3, 1, 1, 0, 0},
        {0, 1, 2, 2, 0, 0},
        {0, 1, 1, 3, 0, 0},
        {0, 2, 0, 1, 2, 0},
        {0, 1, 1, 1, 2, 0},
        {0, 2, 0, 1, 1, 1},
        {0, 1, 2, 0, 1, 1},
        {0, 1, 1, 2, 0, 1},
        {0, 1, 1, 1, 1, 1},
    }};
    if (opponent < 1 || opponent > 10) return kRows[0];
    return kRows[static_cast<size_t>(opponent)];
}

void Game::startusout() {
    saveprogress();
    ui.battlemode = 0;
    for (int x = 0; x <= 4; ++x) {
        for (int y = 0; y <= 4; ++y) {
            match.board[static_cast<size_t>(x)][static_cast<size_t>(y)] = 0;
            match.boardowner[static_cast<size_t>(x)][static_cast<size_t>(y)] = 0;
        }
    }
    match.score[1] = 0;
    match.score[2] = 0;
    match.turn = random.below(2) + 1;
    // Outside the campaign (no row) the enemy's hand and the reward candidates
    // keep what they held.
    const int opponent = collection.opponent;
    if (opponent >= 1 && opponent <= 10) {
        dealbyrarity(opponentcounts(opponent), 2);
        for (int slot = 1; slot <= 5; ++slot)
            collection.deck[2][static_cast<size_t>(slot)] =
                match.hand[2][static_cast<size_t>(slot)];
    }
    match.handcursor = 1;
    match.cursorx = 2;
    match.cursory = 2;
    drawscreen();
}

void Game::announcecoinflip(const std::string& leadin) {
    // Decided once: a key handled during the waits may change `turn`, but
    // the announcement already made must not be followed by the other one.
    const int first = match.turn;
    const MoveScope move(*this);
    if (first == 1) {
        sayit(leadin + "  You have been chosen to go first!");
        hold(1);
        ui.menu = 0;
        ui.menuitem = 0;
    } else if (first == 2) {
        ui.menu = 0;
        ui.menuitem = 0;
        sayit(leadin + "  Your opponent has been chosen to go first.");
        hold(ui.battlemode == 0 ? 5 : 4);
        runai();
    }
}

}  // namespace velloxa
