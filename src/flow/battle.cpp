// A battle's moves as the player hears them: the setup with its coin flip,
// the board keys, the drops with their sounds, waits and announcements, and
// the enemy's turn.
#include "flow/battle.h"

#include <string>

#include "cards/numbers.h"
#include "cards/text.h"
#include "engine/opponent.h"
#include "engine/rules.h"
#include "io/keycodes.h"

namespace velloxa {

namespace {

// The facing-attack keys: which neighbour they look at and how its attack
// toward the cursor spot is told.
struct Facing {
    int key1, key2;
    int dx, dy;
    const char* told;
};

constexpr Facing kFacings[] = {
    {'W', 'I', 0, -1,
     translatable("{attack} is the downward attack for the {tile} above this spot.")},
    {'S', 'K', 0, 1, translatable("{attack} is the upward attack for the {tile} below this spot.")},
    {'A', 'J', -1, 0,
     translatable("{attack} is the rightward attack for the {tile} left of this spot.")},
    {'D', 'L', 1, 0,
     translatable("{attack} is the leftward attack for the {tile} right of this spot.")},
};

// The neighbour's attack that faces the spot it is seen from.
int facing_attack(const Catalogue& cards, int tile, int dx, int dy) {
    if (dy < 0) return cards.tile(tile).down;
    if (dy > 0) return cards.tile(tile).up;
    if (dx < 0) return cards.tile(tile).right;
    return cards.tile(tile).left;
}

// Enemy hand slots from this one up are hidden at a level of 1 to 5.
int first_hidden_slot(int level) {
    return 6 - level;
}

// The announcement of one capture. Only the capturing side's own text is
// looked at; the enemy's points are never announced as gained.
std::string capture_text(const Texts& texts, const Catalogue& c, int captor, int captured,
                         Side side, bool plus) {
    const std::string& own =
        side == Side::Player ? c.tile(captor).capture : c.tile(captor).enemy_capture;
    const std::string taken = texts.content(c.tile(captured).name);
    std::string text;
    if (own.empty()) {
        const std::string by = texts.content(c.tile(captor).name);
        const char* line =
            side == Side::Player
                ? (plus ? translatable("Using the Plus rule, the {captured} tile has been "
                                       "captured by your {captor} tile.")
                        : translatable("The {captured} tile has been captured by your {captor} "
                                       "tile."))
                : (plus ? translatable("Using the Plus rule, the {captured} tile has been "
                                       "captured by the enemy's {captor} tile.")
                        : translatable("The {captured} tile has been captured by the enemy's "
                                       "{captor} tile."));
        text = texts.tr(line, {{"captured", taken}, {"captor", by}});
    } else {
        text = texts.capture_line(own, taken);
        // TRANSLATORS: {capture} is the tile's own capture line.
        if (plus) text = texts.tr("Using the Plus rule, {capture}", {{"capture", text}});
    }
    const bool gained = side == Side::Player;  // mutate: battle-no-point-gained
    if (gained) text = texts.tr("{capture}  Point gained.", {{"capture", text}});
    return text;
}

}  // namespace

// A drop the player hears: positional sounds, the waits that pace it, the
// announcements for the summary and the redrawn board. Each wait may hand
// keys to the game, so the tiles are read afresh after it.
class Battle::LiveDrop : public DropEffects {
  public:
    explicit LiveDrop(Battle& battle) : b_(battle) {}

    void landed(Spot spot) override {
        const Placement2d at = Output::placement_of(spot);
        const int n = b_.p_.random.below(4) + 1;
        b_.p_.out.play_sound(b_.p_.out.app_path("/sounds/drop" + std::to_string(n) + ".wav"),
                             at.volume, at.pan, Loop::Once, kNextFreeSlot);
        b_.hold(0.25);
        const std::string own = b_.p_.cards.tile(b_.match_.tile_at(spot)).sound;
        if (own.empty()) {
            b_.hold(0.25);
        } else {
            b_.p_.out.play_sound(b_.p_.out.app_path("/sounds/tiles/" + own + ".wav"), at.volume,
                                 at.pan, Loop::Once, kNextFreeSlot);
            b_.hold(0.5);
        }
    }

    void captured(Spot captor, Spot taken, Side side, bool plus) override {
        const MatchState& match = b_.match_;
        b_.queue_.announcements.push_back(capture_text(b_.p_.out.texts(), b_.p_.cards,
                                                       match.tile_at(captor), match.tile_at(taken),
                                                       side, plus));
        const Placement2d at = Output::placement_of(taken);
        b_.p_.out.play_sound(b_.p_.out.app_path("/sounds/capture.wav"), at.volume, at.pan,
                             Loop::Once, kNextFreeSlot);
        b_.hold(0.25);
    }

    void settled(Spot, Side) override { b_.redraw_board(); }

  private:
    Battle& b_;
};

void Battle::drop_tile(Spot spot, int tile, Side side) {
    LiveDrop effects(*this);
    velloxa::resolve_drop(match_, p_.cards, spot, tile, side, Drop::Placed, effects);
}

void Battle::run_enemy_turn() {
    const std::optional<EnemyMove> move =
        choose_enemy_move(match_, p_.cards, p_.random, p_.host.difficulty(), battle_mode_);
    if (!move) return;
    const int tile = match_.hand(Side::Enemy).tile(move->slot);
    queue_.announcements.clear();
    queue_.announcements.push_back(
        tr("Enemy drops {tile} onto spot {x}, {y}.", {{"tile", tile_name(tile)},
                                                      {"x", std::to_string(move->spot.x)},
                                                      {"y", std::to_string(move->spot.y)}}));
    drop_tile(move->spot, tile, Side::Enemy);
    match_.hand(Side::Enemy).set(move->slot, 0);
    match_.turn = Side::Player;
    p_.host.show_summary();
}

void Battle::start_battle(const Dealer& deal_enemy) {
    battle_mode_ = BattleMode::Campaign;
    match_.clear_board();
    match_.reset_scores();
    match_.turn = p_.random.below(2) == 0 ? Side::Player : Side::Enemy;
    deal_enemy(match_);
    match_.hand_cursor = 1;
    match_.cursor = Spot{2, 2};
    redraw_board();
}

void Battle::next_turn() {
    if (match_.turn == Side::Enemy) {
        const MoveScope move(p_.keys);
        say(tr("It is your enemy's turn."));
        hold(1);
        run_enemy_turn();
        hold(0.5);
    } else if (match_.turn == Side::Player) {
        say(tr("It is your turn."));
    }
}

void Battle::set_position(const MatchState& position, BattleMode mode) {
    match_ = position;
    battle_mode_ = mode;
}

void Battle::announce_coin_flip(const std::string& leadin) {
    // Decided once: a key handled during the waits may change `turn`, but
    // the announcement already made must not be followed by the other one.
    const Side first = match_.turn;
    const std::string story = p_.out.texts().content(leadin);
    const MoveScope move(p_.keys);
    if (first == Side::Player) {
        say(tr("{story}  You have been chosen to go first!", {{"story", story}}));
        hold(1);
        p_.host.give_board_the_keys();
    } else if (first == Side::Enemy) {
        p_.host.give_board_the_keys();
        say(tr("{story}  Your opponent has been chosen to go first.", {{"story", story}}));
        hold(battle_mode_ == BattleMode::Campaign ? 5 : 4);  // mutate: battle-coin-flip-wait
        run_enemy_turn();
    }
}

void Battle::board_key(int keycode, int shift) {
    if (keycode == key::Left || keycode == key::Right || keycode == key::Up ||
        keycode == key::Down) {
        Spot& cursor = match_.cursor;
        if (keycode == key::Left && cursor.x > 1) cursor.x -= 1;
        if (keycode == key::Right && cursor.x < 3) cursor.x += 1;
        if (keycode == key::Up && cursor.y > 1) cursor.y -= 1;
        if (keycode == key::Down && cursor.y < 3) cursor.y += 1;
        say(describe_spot(p_.out.texts(), match_, p_.cards));
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
        say(tr(f.told, {{"attack", num(facing_attack(p_.cards, neighbour, f.dx, f.dy))},
                        {"tile", tile_name(neighbour)}}));
        return;
    }

    if (keycode == 'Z') {
        const double mine = match_.score(Side::Player);
        const double theirs = match_.score(Side::Enemy);
        const char* line;
        if (!match_.board_full()) {
            line =
                mine > theirs
                    ? translatable("The score is {mine} to {theirs}.  You are currently winning.")
                : mine < theirs
                    ? translatable("The score is {mine} to {theirs}.  You are currently losing.")
                    : translatable("The score is {mine} to {theirs}.  You are currently tied.");
        } else {
            line = mine > theirs
                       ? translatable("The score is {mine} to {theirs}.  You won the battle.")
                   : mine < theirs
                       ? translatable("The score is {mine} to {theirs}.  You lost the battle.")
                       : translatable("The score is {mine} to {theirs}.  The battle was a tie.");
        }
        say(tr(line, {{"mine", num(mine)}, {"theirs", num(theirs)}}));
        return;
    }

    if (keycode >= '1' && keycode <= '5') {
        match_.hand_cursor = keycode - '0';
        if (match_.hand(Side::Player).tile(match_.hand_cursor) == 0) {
            say(tr("card already used."));
            return;
        }
        if (shift == key::ShiftDown) {
            drop_player_tile();
        } else {
            say(describe_hand_tile(p_.out.texts(), match_, p_.cards, Side::Player,
                                   match_.hand_cursor));
        }
        return;
    }

    if ((keycode >= '6' && keycode <= '9') || keycode == '0') {
        match_.hand_cursor = keycode == '0' ? 5 : keycode - '5';
        if (match_.hand(Side::Enemy).tile(match_.hand_cursor) == 0) {
            say(tr("Enemy's card already used."));
            return;
        }
        const int level = battle_level(battle_mode_, p_.host.difficulty());
        if (level >= 1 && match_.hand_cursor >= first_hidden_slot(level)) {
            if (level == 1) {
                say(tr("This enemy card is shrouded in mystery."));
            } else if (level >= 5) {
                say(tr("All enemy cards are shrouded in mystery due to your difficulty setting."));
            } else {
                say(tr("This enemy card is shrouded in mystery due to your difficulty setting."));
            }
            return;
        }
        say(describe_hand_tile(p_.out.texts(), match_, p_.cards, Side::Enemy, match_.hand_cursor));
    }
}

void Battle::drop_player_tile() {
    if (match_.tile_at(match_.cursor) != 0) {
        say(tr("There is already a tile on this spot."));
        return;
    }
    const MoveScope move(p_.keys);
    match_.dropping = true;
    queue_.announcements.clear();
    Hand& hand = match_.hand(Side::Player);
    queue_.announcements.push_back(tr("You drop {tile} onto spot {x}, {y}.",
                                      {{"tile", tile_name(hand.tile(match_.hand_cursor))},
                                       {"x", num(match_.cursor.x)},
                                       {"y", num(match_.cursor.y)}}));
    drop_tile(match_.cursor, hand.tile(match_.hand_cursor), Side::Player);
    // The slot is read again: a key during the drop's waits may have moved it.
    hand.set(match_.hand_cursor, 0);
    p_.host.show_summary();
    match_.turn = Side::Enemy;
    match_.dropping = false;
}

}  // namespace velloxa
