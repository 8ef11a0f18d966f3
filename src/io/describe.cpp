// Spoken descriptions of board spots and hand tiles.
#include "flow/game.h"
#include "io/numbers.h"

namespace velloxa {

std::string Game::stattext(int t) const {
    // Only catalogue indices reach here; anything else reads as the empty record.
    if (t < 0 || t >= Catalogue::kCapacity) t = 0;
    return cards.cardname[t] + ", attack " + num(cards.cardup[t]) + " up, " +
           num(cards.carddown[t]) + " down, " + num(cards.cardleft[t]) + " left, and " +
           num(cards.cardright[t]) + " right.  From the " + cards.cardcollection[t] +
           " collection, rarity level " + num(cards.cardrarity[t]) + ".  " + cards.carddesc[t];
}

void Game::showtile() {
    const int x = match.cursorx;
    const int y = match.cursory;
    const std::string spot = num(x) + " " + num(y);
    if (match.board[x][y] == 0) {
        sayit(spot + ", Empty tile.");
        return;
    }
    sayit(spot + ", " + (match.boardowner[x][y] == 2 ? "Enemy " : "") +
          stattext(match.board[x][y]));
}

void Game::describehand(int side, int slot) {
    const int t = match.hand[side][slot];
    if (side == 1) {
        sayit(t == 0 ? "card already used." : stattext(t));
    } else {
        sayit(t == 0 ? "Enemy's card already used." : "Enemy's " + stattext(t));
    }
}

}  // namespace velloxa
