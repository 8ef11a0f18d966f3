// The computer opponent: tries every tile on every empty spot silently,
// remembers the last few improvements and plays one of them, the better the
// harder the level.
#include <array>
#include <string>

#include "flow/game.h"

namespace velloxa {

namespace {

struct Try {
    double value = 0;
    int slot = 0, x = 0, y = 0;
};

// Level 5 always takes the newest best; level L chooses among the first
// 6 - L entries. Any other level is treated as the hardest so a bad value
// can never leave the opponent drawing forever.
int pickbylevel(Random& random, int level) {
    if (level >= 1 && level <= 4) return random.below(6 - level) + 1;
    return 1;
}

}  // namespace

double Game::predictscore(int tempa, int tempb, int tempcard) {
    std::array<std::array<int, 3>, 3> board{}, owner{};
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y) {
            board[x - 1][y - 1] = match.board[x][y];
            owner[x - 1][y - 1] = match.boardowner[x][y];
        }
    const double score1 = match.score[1], score2 = match.score[2];

    match.predicting = 1;
    droptile(tempa, tempb, tempcard, 2, 0);
    const double result = match.score[2];

    match.predicting = 0;
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y) {
            match.board[x][y] = board[x - 1][y - 1];
            match.boardowner[x][y] = owner[x - 1][y - 1];
        }
    match.score[1] = score1;
    match.score[2] = score2;
    return result;
}

void Game::runai() {
    const auto cantry = [this](int x, int y, int s) {
        return match.board[x][y] == 0 && match.hand[2][s] != 0;
    };
    // Without a possible try no pick could ever succeed.
    bool possible = false;
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y)
            for (int s = 1; s <= 5; ++s) possible = possible || cantry(x, y, s);
    if (!possible) return;

    queue.list2.clear();

    // Entry 1 is the newest best; only tries that beat every earlier one
    // enter, so among equal values the first in search order stays.
    double best = -1;
    std::array<Try, 6> history{};
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y)
            for (int s = 1; s <= 5; ++s) {
                if (!cantry(x, y, s)) continue;
                const double v = predictscore(x, y, match.hand[2][s]);
                if (v > best) {
                    best = v;
                    for (int k = 5; k >= 2; --k) history[k] = history[k - 1];
                    history[1] = Try{v, s, x, y};
                }
            }

    int pick = 1;
    do {
        pick = pickbylevel(random, ui.difficulty);
        if (ui.battlemode >= 1 && ui.battlemode <= 5) pick = pickbylevel(random, ui.battlemode);
    } while (history[pick].slot == 0);
    const Try chosen = history[pick];

    queue.list2.push_back("Enemy drops " + cards.cardname[match.hand[2][chosen.slot]] +
                          " onto spot " + std::to_string(chosen.x) + ", " +
                          std::to_string(chosen.y) + ".");
    droptile(chosen.x, chosen.y, match.hand[2][chosen.slot], 2, 0);
    match.hand[2][chosen.slot] = 0;
    match.turn = 1;
    showmenu(5, 0);
}

}  // namespace velloxa
