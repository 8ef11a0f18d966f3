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
int facing_attack(const Catalogue& cards, int tile, int dx, int dy) {
    if (dy < 0) return cards.tile_down[tile];
    if (dy > 0) return cards.tile_up[tile];
    if (dx < 0) return cards.tile_right[tile];
    return cards.tile_left[tile];
}

// Enemy hand slots from this one up are hidden at a level of 1 to 5.
int first_hidden_slot(int level) {
    return 6 - level;
}

}  // namespace

void Game::on_key(int code, int modifiers) {
    out.cancel_reader();  // mutate: reader-not-cancelled-on-key
    waits.key_handled();
    struct Nesting {
        int& depth;
        ~Nesting() { --depth; }
    } nesting{++keys.depth};
    try {
        handle_key(code, modifiers);
    } catch (const MoveAbandoned&) {
        // A key inside a wait or yield hands the unwinding on to the
        // outermost key, which leaves nothing of the move behind: no guard,
        // no key chord block, no running timer.
        if (keys.depth > 1) throw;
        keys.moves_open = 0;
        battle.abandon_move();
        out.speech.sending_chord = false;
        waits.stop_timer();
    }
}

void Game::handle_key(int keycode, int shift) {
    const MatchState& match = battle.position();
    // The speech route's own key chord must not reach the game.
    if (out.speech.sending_chord) return;  // mutate: keys-chord-guard
    if (keycode == key::Alt) return;
    if (keycode == key::Ctrl) {
        say("");
        return;
    }
    if (keycode == key::PageUp || keycode == key::PageDown) {
        speech_keys.change_voice_rate(keycode == key::PageUp ? 1 : -1);
        return;
    }
    if (keycode == key::Tab) {
        speech_keys.next_speech_route();
        return;
    }
    if (keycode == key::Escape && ui.menu() == Menu::Summary && match.board_full()) {
        ui.set(Menu::Board, 0);
        battle.view_finished_board();
        say("You may now view the board.  Press Escape again to return to the summary screen.");
        return;
    }
    // Only the finished board viewed by the Escape above (turn 0) goes back
    // to the summary. While the ninth tile is still being dropped the board
    // is full too, and opening the summary then would let its result be
    // continued twice: two rewards and a skipped opponent.
    // mutate: keys-escape-in-last-drop
    if (keycode == key::Escape && ui.menu() == Menu::Board && match.turn == Side::Nobody &&
        match.board_full()) {
        show_menu(Menu::Summary, 0);
        return;
    }
    if (keycode == key::Escape && shift == 0) {
        say("Hold shift and press Escape to return to the main menu.");
        return;
    }
    if (keycode == key::Escape && shift == key::ShiftDown) {
        // Only a key nested in one of the move's waits can find it open.
        const bool leaving_move = keys.moves_open > 0;
        show_menu(Menu::Main, 0);
        if (leaving_move) throw MoveAbandoned{};  // mutate: keys-leave-stays-in-move
        return;
    }
    if (ui.menu() != Menu::Board) {
        dispatch_menu_key(keycode, shift);
        return;
    }
    // The enemy's move and the user's own drop in progress keep the board
    // keys out until the summary has been opened.
    if (battle.board_keys_held()) return;
    battle.board_key(keycode, shift);
}

void Battle::board_key(int keycode, int shift) {
    if (keycode == key::Left || keycode == key::Right || keycode == key::Up ||
        keycode == key::Down) {
        Spot& cursor = match_.cursor;
        if (keycode == key::Left && cursor.x > 1) cursor.x -= 1;
        if (keycode == key::Right && cursor.x < 3) cursor.x += 1;
        if (keycode == key::Up && cursor.y > 1) cursor.y -= 1;
        if (keycode == key::Down && cursor.y < 3) cursor.y += 1;
        say(describe_spot(match_, p_.cards));
        redraw_board();
        return;
    }

    for (const Facing& f : kFacings) {
        if (keycode != f.key1 && keycode != f.key2) continue;
        const Spot next{match_.cursor.x + f.dx, match_.cursor.y + f.dy};
        // Off the board, on a taken spot, or facing nothing of the enemy's:
        // nothing to tell.
        if (!next.on_board()) return;
        if (match_.tile_at(match_.cursor) != 0) return;
        const int neighbour = match_.tile_at(next);
        if (neighbour == 0 || match_.owner_at(next) == Side::Player) return;
        say(num(facing_attack(p_.cards, neighbour, f.dx, f.dy)) + " is the " + f.word +
            " attack for the " + p_.cards.tile_name[neighbour] + " " + f.where + " this spot.");
        return;
    }

    if (keycode == 'Z') {
        const double mine = match_.score(Side::Player);
        const double theirs = match_.score(Side::Enemy);
        std::string ending;
        if (!match_.board_full()) {
            ending = mine > theirs   ? ".  You are currently winning."
                     : mine < theirs ? ".  You are currently losing."
                                     : ".  You are currently tied.";
        } else {
            ending = mine > theirs   ? ".  You won the battle."
                     : mine < theirs ? ".  You lost the battle."
                                     : ".  The battle was a tie.";
        }
        say("The score is " + num(mine) + " to " + num(theirs) + ending);
        return;
    }

    if (keycode >= '1' && keycode <= '5') {
        match_.hand_cursor = keycode - '0';
        if (match_.hand(Side::Player).tile(match_.hand_cursor) == 0) {
            say("card already used.");
            return;
        }
        if (shift == key::ShiftDown) {
            drop_player_tile();
        } else {
            say(describe_hand_tile(match_, p_.cards, Side::Player, match_.hand_cursor));
        }
        return;
    }

    if ((keycode >= '6' && keycode <= '9') || keycode == '0') {
        match_.hand_cursor = keycode == '0' ? 5 : keycode - '5';
        if (match_.hand(Side::Enemy).tile(match_.hand_cursor) == 0) {
            say("Enemy's card already used.");
            return;
        }
        const int level = battle_mode_ == 0 ? p_.host.difficulty() : battle_mode_;
        if (level >= 1 && match_.hand_cursor >= first_hidden_slot(level)) {
            if (level == 1) {
                say("This enemy card is shrouded in mystery.");
            } else if (level >= 5) {
                say("All enemy cards are shrouded in mystery due to your difficulty setting.");
            } else {
                say("This enemy card is shrouded in mystery due to your difficulty setting.");
            }
            return;
        }
        say(describe_hand_tile(match_, p_.cards, Side::Enemy, match_.hand_cursor));
    }
}

void Battle::drop_player_tile() {
    if (match_.tile_at(match_.cursor) != 0) {
        say("There is already a tile on this spot.");
        return;
    }
    const MoveScope move(p_.keys);
    match_.dropping = true;
    queue_.announcements.clear();
    Hand& hand = match_.hand(Side::Player);
    queue_.announcements.push_back("You drop " + p_.cards.tile_name[hand.tile(match_.hand_cursor)] +
                                   " onto spot " + num(match_.cursor.x) + ", " +
                                   num(match_.cursor.y) + ".");
    drop_tile(match_.cursor, hand.tile(match_.hand_cursor), Side::Player);
    // The slot is read again: a key during the drop's waits may have moved it.
    hand.set(match_.hand_cursor, 0);
    p_.host.show_summary();
    match_.turn = Side::Enemy;
    match_.dropping = false;
}

void SpeechSettings::next_speech_route() {
    Speech& speech = out_.speech;
    speech.speech_route = speech.speech_route == SpeechRoute::ScreenReader
                              ? SpeechRoute::Voice
                              : speech_route_from_number(number_of(speech.speech_route) + 1);
    if (needs_title_reader(speech.speech_route) && !platform_.window.title_is_read())
        speech.speech_route = SpeechRoute::ScreenReader;
    if (speech.speech_route == SpeechRoute::Voice) {
        out_.reset_title(version_);
        out_.say("Sapi on");
    }
    if (speech.speech_route == SpeechRoute::WindowTitle) out_.say("NVDA");
    if (speech.speech_route == SpeechRoute::TitleAndChord) out_.say("Window eyes support");
    // A screen reader started after the game is found here.
    if (speech.speech_route == SpeechRoute::ScreenReader) out_.probe_screen_reader();
    if (speech.speech_route == SpeechRoute::ScreenReader && speech.reader_available) {
        out_.reset_title(version_);
        out_.say("Jaws");
    }
    if (speech.speech_route == SpeechRoute::ScreenReader && !speech.reader_available) {
        // No reader answers: back to the voice instead of falling silent.
        speech.speech_route = SpeechRoute::Voice;
        out_.reset_title(version_);
        out_.say("Jaws does not seem to be responding, Sapi on.");
    }
    save_();
}

void SpeechSettings::change_voice_rate(int delta) {
    Speech& speech = out_.speech;
    speech.voice_rate += delta;
    if (speech.voice_rate > 10) speech.voice_rate = 10;
    if (speech.voice_rate < 1) speech.voice_rate = 1;
    if (speech.voice_available) {
        try {
            platform_.voice.set_rate(static_cast<int>(whole_part(speech.voice_rate)));
        } catch (const std::exception&) {
            // The voice keeps its old rate; the new one is still saved.
        }
    }
    out_.say("Sapi rate changed to " + num(speech.voice_rate) + ".");
    save_();
}

}  // namespace velloxa
