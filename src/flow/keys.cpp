// The key handler: keys that work everywhere first, then the menus, then the
// battle board.
#include "flow/game.h"
#include "io/numbers.h"

namespace velloxa {

namespace {

constexpr int kCtrl = 17;
constexpr int kAlt = 18;
constexpr int kEscape = 27;
constexpr int kPageUp = 33;
constexpr int kPageDown = 34;
constexpr int kTab = 9;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;

// The facing-attack keys: which neighbour they look at and how its attack
// toward the cursor spot is told.
struct Facing {
    int key1, key2;
    int dx, dy;
    const char* word;   // "downward", ...
    const char* where;  // "above", ...
};

constexpr Facing kFacings[] = {
    {'W', 'I', 0, -1, "downward", "above"},
    {'S', 'K', 0, 1, "upward", "below"},
    {'A', 'J', -1, 0, "rightward", "left of"},
    {'D', 'L', 1, 0, "leftward", "right of"},
};

// The neighbour's attack that faces the spot it is seen from.
int facingattack(const Catalogue& cards, int tile, int dx, int dy) {
    if (dy < 0) return cards.carddown[tile];
    if (dy > 0) return cards.cardup[tile];
    if (dx < 0) return cards.cardright[tile];
    return cards.cardleft[tile];
}

// Enemy hand slots from this one up are hidden at a level of 1 to 5.
int firsthiddenslot(int level) {
    return 6 - level;
}

}  // namespace

void Game::on_key(int code, int state) {
    ++keys.handled;
    ++keys.depth;
    if (keys.depth > 1) {
        // A key inside a wait or yield: a move it abandons unwinds from here
        // up to the outermost key.
        try {
            Form_KeyDown(code, state);
        } catch (...) {
            --keys.depth;
            throw;
        }
        --keys.depth;
        return;
    }
    try {
        Form_KeyDown(code, state);
    } catch (const MoveAbandoned&) {
        // Nothing of the abandoned move may linger: no guard, no key chord
        // block, no running timer.
        keys.movesopen = 0;
        match.dropping = false;
        speech.sendingkeys = 0;
        holder.interval = 0;
    }
    --keys.depth;
}

void Game::Form_KeyDown(int keycode, int shift) {
    // The speech route's own key chord must not reach the game.
    if (speech.sendingkeys == 1) return;
    if (keycode == kAlt) return;
    if (keycode == kCtrl) {
        sayit("");
        return;
    }
    if (keycode == kPageUp || keycode == kPageDown) {
        changerate(keycode == kPageUp ? 1 : -1);
        return;
    }
    if (keycode == kTab) {
        nextroute();
        return;
    }
    if (keycode == kEscape && ui.menu == 5 && match.boardfull()) {
        ui.menu = 0;
        ui.menuitem = 0;
        match.turn = 0;
        sayit("You may now view the board.  Press Escape again to return to the summary screen.");
        return;
    }
    // Only the finished board viewed by the Escape above (turn 0) goes back
    // to the summary. While the ninth tile is still being dropped the board
    // is full too, and opening the summary then would let its result be
    // continued twice: two rewards and a skipped opponent.
    if (keycode == kEscape && ui.menu == 0 && match.turn == 0 && match.boardfull()) {
        showmenu(5, 0);
        return;
    }
    if (keycode == kEscape && shift == 0) {
        sayit("Hold shift and press Escape to return to the main menu.");
        return;
    }
    if (keycode == kEscape && shift == 1) {
        // Only a key nested in one of the move's waits can find it open.
        const bool leavingmove = keys.movesopen > 0;
        showmenu(1, 0);
        if (leavingmove) throw MoveAbandoned{};
        return;
    }
    if (ui.menu != 0) {
        menus(keycode, shift);
        return;
    }
    // The enemy's move and the user's own drop in progress keep the board
    // keys out until the summary has been opened.
    if (match.turn == 2 || match.dropping) return;
    boardkey(keycode, shift);
}

void Game::boardkey(int keycode, int shift) {
    if (keycode == kLeft || keycode == kRight || keycode == kUp || keycode == kDown) {
        if (keycode == kLeft && match.cursorx > 1) match.cursorx -= 1;
        if (keycode == kRight && match.cursorx < 3) match.cursorx += 1;
        if (keycode == kUp && match.cursory > 1) match.cursory -= 1;
        if (keycode == kDown && match.cursory < 3) match.cursory += 1;
        showtile();
        drawscreen();
        return;
    }

    for (const Facing& f : kFacings) {
        if (keycode != f.key1 && keycode != f.key2) continue;
        const int x = match.cursorx;
        const int y = match.cursory;
        const int nx = x + f.dx;
        const int ny = y + f.dy;
        // Off the board, on a taken spot, or facing nothing of the enemy's:
        // nothing to tell.
        if (nx < 1 || nx > 3 || ny < 1 || ny > 3) return;
        if (match.board[x][y] != 0) return;
        const int neighbour = match.board[nx][ny];
        if (neighbour == 0 || match.boardowner[nx][ny] == 1) return;
        sayit(num(facingattack(cards, neighbour, f.dx, f.dy)) + " is the " + f.word +
              " attack for the " + cards.cardname[neighbour] + " " + f.where + " this spot.");
        return;
    }

    if (keycode == 'Z') {
        const double mine = match.score[1];
        const double theirs = match.score[2];
        std::string ending;
        if (!match.boardfull()) {
            ending = mine > theirs   ? ".  You are currently winning."
                     : mine < theirs ? ".  You are currently losing."
                                     : ".  You are currently tied.";
        } else {
            ending = mine > theirs   ? ".  You won the battle."
                     : mine < theirs ? ".  You lost the battle."
                                     : ".  The battle was a tie.";
        }
        sayit("The score is " + num(mine) + " to " + num(theirs) + ending);
        return;
    }

    if (keycode >= '1' && keycode <= '5') {
        match.handcursor = keycode - '0';
        if (match.hand[1][match.handcursor] == 0) {
            sayit("card already used.");
            return;
        }
        if (shift == 1) {
            dropusertile();
        } else {
            describehand(1, match.handcursor);
        }
        return;
    }

    if ((keycode >= '6' && keycode <= '9') || keycode == '0') {
        match.handcursor = keycode == '0' ? 5 : keycode - '5';
        if (match.hand[2][match.handcursor] == 0) {
            sayit("Enemy's card already used.");
            return;
        }
        const int level = ui.battlemode == 0 ? ui.difficulty : ui.battlemode;
        if (level >= 1 && match.handcursor >= firsthiddenslot(level)) {
            if (level == 1) {
                sayit("This enemy card is shrouded in mystery.");
            } else if (level >= 5) {
                sayit("All enemy cards are shrouded in mystery due to your difficulty setting.");
            } else {
                sayit("This enemy card is shrouded in mystery due to your difficulty setting.");
            }
            return;
        }
        describehand(2, match.handcursor);
    }
}

void Game::dropusertile() {
    if (match.board[match.cursorx][match.cursory] != 0) {
        sayit("There is already a tile on this spot.");
        return;
    }
    const MoveScope move(*this);
    match.dropping = true;
    queue.list2.clear();
    queue.list2.push_back("You drop " + cards.cardname[match.hand[1][match.handcursor]] +
                          " onto spot " + num(match.cursorx) + ", " + num(match.cursory) + ".");
    droptile(match.cursorx, match.cursory, match.hand[1][match.handcursor], 1, 0);
    match.hand[1][match.handcursor] = 0;
    showmenu(5, 0);
    match.turn = 2;
    match.dropping = false;
}

}  // namespace velloxa
