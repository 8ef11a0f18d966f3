// A battle's moves as the player hears them: the setup with its coin flip,
// the drops with their sounds, waits and announcements, and the enemy's turn.
#include "flow/battle.h"

#include <string>

#include "cards/text.h"
#include "engine/opponent.h"
#include "engine/rules.h"

namespace velloxa {

namespace {

// The announcement of one capture. Only the capturing side's own text is
// looked at; the enemy's points are never announced as gained.
std::string capture_text(const Catalogue& c, int captor, int captured, Side side, bool plus) {
    const std::string& own =
        side == Side::Player ? c.tile(captor).capture : c.tile(captor).enemy_capture;
    std::string text;
    if (own.empty()) {
        text = std::string(plus ? "Using the Plus rule, the " : "The ") + c.tile(captured).name +
               " tile has been captured by " + (side == Side::Player ? "your " : "the enemy's ") +
               c.tile(captor).name + " tile.";
    } else {
        text = std::string(plus ? "Using the Plus rule, " : "") +
               replace_all(own, "$T", c.tile(captured).name);
    }
    if (side == Side::Player) text += "  Point gained.";  // mutate: battle-no-point-gained
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
        b_.queue_.announcements.push_back(
            capture_text(b_.p_.cards, match.tile_at(captor), match.tile_at(taken), side, plus));
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
    queue_.announcements.push_back("Enemy drops " + p_.cards.tile(tile).name + " onto spot " +
                                   std::to_string(move->spot.x) + ", " +
                                   std::to_string(move->spot.y) + ".");
    drop_tile(move->spot, tile, Side::Enemy);
    match_.hand(Side::Enemy).set(move->slot, 0);
    match_.turn = Side::Player;
    p_.host.show_summary();
}

void Battle::start_battle(const Dealer& deal_enemy) {
    battle_mode_ = 0;
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
        say("It is your enemy's turn.");
        hold(1);
        run_enemy_turn();
        hold(0.5);
    } else if (match_.turn == Side::Player) {
        say("It is your turn.");
    }
}

void Battle::set_position(const MatchState& position, int battle_mode) {
    match_ = position;
    battle_mode_ = battle_mode;
}

void Battle::announce_coin_flip(const std::string& leadin) {
    // Decided once: a key handled during the waits may change `turn`, but
    // the announcement already made must not be followed by the other one.
    const Side first = match_.turn;
    const MoveScope move(p_.keys);
    if (first == Side::Player) {
        say(leadin + "  You have been chosen to go first!");
        hold(1);
        p_.host.give_board_the_keys();
    } else if (first == Side::Enemy) {
        p_.host.give_board_the_keys();
        say(leadin + "  Your opponent has been chosen to go first.");
        hold(battle_mode_ == 0 ? 5 : 4);  // mutate: battle-coin-flip-wait
        run_enemy_turn();
    }
}

}  // namespace velloxa
