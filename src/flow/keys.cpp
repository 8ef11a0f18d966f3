// The key handler: keys that work everywhere first, then the menus, then the
// battle board.
#include "cards/numbers.h"
#include "flow/battle.h"
#include "flow/game.h"
#include "flow/speech_settings.h"
#include "io/describe.h"
#include "io/keycodes.h"

namespace velloxa {

namespace {

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

void Game::on_key(int code, int modifiers) {
    out.cancelreader();
    waits.keyhandled();
    struct Nesting {
        int& depth;
        ~Nesting() { --depth; }
    } nesting{++keys.depth};
    try {
        handlekey(code, modifiers);
    } catch (const MoveAbandoned&) {
        // A key inside a wait or yield hands the unwinding on to the
        // outermost key, which leaves nothing of the move behind: no guard,
        // no key chord block, no running timer.
        if (keys.depth > 1) throw;
        keys.movesopen = 0;
        battle.abandonmove();
        out.speech.sendingkeys = false;
        waits.holder_Timer();
    }
}

void Game::handlekey(int keycode, int shift) {
    const MatchState& match = battle.position();
    // The speech route's own key chord must not reach the game.
    if (out.speech.sendingkeys) return;
    if (keycode == key::Alt) return;
    if (keycode == key::Ctrl) {
        sayit("");
        return;
    }
    if (keycode == key::PageUp || keycode == key::PageDown) {
        speechkeys.changerate(keycode == key::PageUp ? 1 : -1);
        return;
    }
    if (keycode == key::Tab) {
        speechkeys.nextroute();
        return;
    }
    if (keycode == key::Escape && ui.menu() == Menu::Summary && match.boardfull()) {
        ui.set(Menu::Board, 0);
        battle.viewfinishedboard();
        sayit("You may now view the board.  Press Escape again to return to the summary screen.");
        return;
    }
    // Only the finished board viewed by the Escape above (turn 0) goes back
    // to the summary. While the ninth tile is still being dropped the board
    // is full too, and opening the summary then would let its result be
    // continued twice: two rewards and a skipped opponent.
    if (keycode == key::Escape && ui.menu() == Menu::Board && match.turn == kNobody &&
        match.boardfull()) {
        showmenu(Menu::Summary, 0);
        return;
    }
    if (keycode == key::Escape && shift == 0) {
        sayit("Hold shift and press Escape to return to the main menu.");
        return;
    }
    if (keycode == key::Escape && shift == key::ShiftDown) {
        // Only a key nested in one of the move's waits can find it open.
        const bool leavingmove = keys.movesopen > 0;
        showmenu(Menu::Main, 0);
        if (leavingmove) throw MoveAbandoned{};
        return;
    }
    if (ui.menu() != Menu::Board) {
        menus(keycode, shift);
        return;
    }
    // The enemy's move and the user's own drop in progress keep the board
    // keys out until the summary has been opened.
    if (battle.board_keys_held()) return;
    battle.boardkey(keycode, shift);
}

void Battle::boardkey(int keycode, int shift) {
    if (keycode == key::Left || keycode == key::Right || keycode == key::Up ||
        keycode == key::Down) {
        if (keycode == key::Left && match_.cursorx > 1) match_.cursorx -= 1;
        if (keycode == key::Right && match_.cursorx < 3) match_.cursorx += 1;
        if (keycode == key::Up && match_.cursory > 1) match_.cursory -= 1;
        if (keycode == key::Down && match_.cursory < 3) match_.cursory += 1;
        sayit(showtile(match_, p_.cards));
        drawscreen();
        return;
    }

    for (const Facing& f : kFacings) {
        if (keycode != f.key1 && keycode != f.key2) continue;
        const int x = match_.cursorx;
        const int y = match_.cursory;
        const int nx = x + f.dx;
        const int ny = y + f.dy;
        // Off the board, on a taken spot, or facing nothing of the enemy's:
        // nothing to tell.
        if (nx < 1 || nx > 3 || ny < 1 || ny > 3) return;
        if (match_.board[x][y] != 0) return;
        const int neighbour = match_.board[nx][ny];
        if (neighbour == 0 || match_.boardowner[nx][ny] == kUser) return;
        sayit(num(facingattack(p_.cards, neighbour, f.dx, f.dy)) + " is the " + f.word +
              " attack for the " + p_.cards.cardname[neighbour] + " " + f.where + " this spot.");
        return;
    }

    if (keycode == 'Z') {
        const double mine = match_.score[1];
        const double theirs = match_.score[2];
        std::string ending;
        if (!match_.boardfull()) {
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
        match_.handcursor = keycode - '0';
        if (match_.hand[kUser][match_.handcursor] == 0) {
            sayit("card already used.");
            return;
        }
        if (shift == key::ShiftDown) {
            dropusertile();
        } else {
            sayit(describehand(match_, p_.cards, kUser, match_.handcursor));
        }
        return;
    }

    if ((keycode >= '6' && keycode <= '9') || keycode == '0') {
        match_.handcursor = keycode == '0' ? 5 : keycode - '5';
        if (match_.hand[kEnemy][match_.handcursor] == 0) {
            sayit("Enemy's card already used.");
            return;
        }
        const int level = battlemode_ == 0 ? p_.host.difficulty() : battlemode_;
        if (level >= 1 && match_.handcursor >= firsthiddenslot(level)) {
            if (level == 1) {
                sayit("This enemy card is shrouded in mystery.");
            } else if (level >= 5) {
                sayit("All enemy cards are shrouded in mystery due to your difficulty setting.");
            } else {
                sayit("This enemy card is shrouded in mystery due to your difficulty setting.");
            }
            return;
        }
        sayit(describehand(match_, p_.cards, kEnemy, match_.handcursor));
    }
}

void Battle::dropusertile() {
    if (match_.board[match_.cursorx][match_.cursory] != 0) {
        sayit("There is already a tile on this spot.");
        return;
    }
    const MoveScope move(p_.keys);
    match_.dropping = true;
    queue_.announcements.clear();
    queue_.announcements.push_back(
        "You drop " + p_.cards.cardname[match_.hand[kUser][match_.handcursor]] + " onto spot " +
        num(match_.cursorx) + ", " + num(match_.cursory) + ".");
    droptile(Spot{match_.cursorx, match_.cursory}, match_.hand[kUser][match_.handcursor], kUser);
    match_.hand[kUser][match_.handcursor] = 0;
    p_.host.show_summary();
    match_.turn = kEnemy;
    match_.dropping = false;
}

void SpeechSettings::nextroute() {
    Speech& speech = out_.speech;
    speech.speechmode += 1;
    if (needs_title_reader(speech.speechmode) && !platform_.window.title_is_read())
        speech.speechmode = kReaderRoute;
    if (speech.speechmode > kReaderRoute) speech.speechmode = kVoiceRoute;
    if (speech.speechmode == kVoiceRoute) {
        out_.resettitle(version_);
        out_.sayit("Sapi on");
    }
    if (speech.speechmode == kTitleRoute) out_.sayit("NVDA");
    if (speech.speechmode == kChordRoute) out_.sayit("Window eyes support");
    // A screen reader started after the game is found here.
    if (speech.speechmode == kReaderRoute) out_.loadjaws();
    if (speech.speechmode == kReaderRoute && speech.readeron) {
        out_.resettitle(version_);
        out_.sayit("Jaws");
    }
    if (speech.speechmode == kReaderRoute && !speech.readeron) {
        // No reader answers: back to the voice instead of falling silent.
        speech.speechmode = kVoiceRoute;
        out_.resettitle(version_);
        out_.sayit("Jaws does not seem to be responding, Sapi on.");
    }
    save_();
}

void SpeechSettings::changerate(int delta) {
    Speech& speech = out_.speech;
    speech.sapirate += delta;
    if (speech.sapirate > 10) speech.sapirate = 10;
    if (speech.sapirate < 1) speech.sapirate = 1;
    if (speech.voiceon) {
        try {
            platform_.voice.set_rate(static_cast<int>(wholepart(speech.sapirate)));
        } catch (const std::exception&) {
            // The voice keeps its old rate; the new one is still saved.
        }
    }
    out_.sayit("Sapi rate changed to " + num(speech.sapirate) + ".");
    save_();
}

}  // namespace velloxa
