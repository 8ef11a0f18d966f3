// A battle's moves as the player hears them: the setup with its coin flip,
// the drops with their sounds, waits and announcements, and the enemy's turn.
#include "flow/battle.h"

#include <string>

#include "cards/text.h"
#include "engine/ai.h"
#include "engine/droptile.h"

namespace velloxa {

namespace {

// The announcement of one capture. Only the capturing side's own text is
// looked at; the enemy's points are never announced as gained.
std::string capture_text(const Catalogue& c, int captor, int captured, int side, bool plus) {
    const std::string& own = side == kUser ? c.cardcapture[captor] : c.cardenemycapture[captor];
    std::string text;
    if (own.empty()) {
        text = std::string(plus ? "Using the Plus rule, the " : "The ") + c.cardname[captured] +
               " tile has been captured by " + (side == kUser ? "your " : "the enemy's ") +
               c.cardname[captor] + " tile.";
    } else {
        text = std::string(plus ? "Using the Plus rule, " : "") +
               replace_all(own, "$T", c.cardname[captured]);
    }
    if (side == kUser) text += "  Point gained.";
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
        const std::string own = b_.p_.cards.cardsound[b_.match_.board[spot.x][spot.y]];
        if (own.empty()) {
            b_.hold(0.25);
        } else {
            b_.p_.out.play_sound(b_.p_.out.app_path("/sounds/tiles/" + own + ".wav"), at.volume,
                                 at.pan, Loop::Once, kNextFreeSlot);
            b_.hold(0.5);
        }
    }

    void captured(Spot captor, Spot taken, int side, bool plus) override {
        const auto& board = b_.match_.board;
        b_.queue_.announcements.push_back(capture_text(b_.p_.cards, board[captor.x][captor.y],
                                                       board[taken.x][taken.y], side, plus));
        const Placement2d at = Output::placement_of(taken);
        b_.p_.out.play_sound(b_.p_.out.app_path("/sounds/capture.wav"), at.volume, at.pan,
                             Loop::Once, kNextFreeSlot);
        b_.hold(0.25);
    }

    void settled(Spot, int) override { b_.redraw_board(); }

  private:
    Battle& b_;
};

void Battle::drop_tile(Spot spot, int tile, int side) {
    LiveDrop effects(*this);
    velloxa::resolve_drop(match_, p_.cards, spot, tile, side, Drop::Placed, effects);
}

void Battle::run_enemy_turn() {
    const std::optional<EnemyMove> move =
        choose_enemy_move(match_, p_.cards, p_.random, p_.host.difficulty(), battlemode_);
    if (!move) return;
    const int tile = match_.hand[kEnemy][move->slot];
    queue_.announcements.clear();
    queue_.announcements.push_back("Enemy drops " + p_.cards.cardname[tile] + " onto spot " +
                                   std::to_string(move->spot.x) + ", " +
                                   std::to_string(move->spot.y) + ".");
    drop_tile(move->spot, tile, kEnemy);
    match_.hand[kEnemy][move->slot] = 0;
    match_.turn = kUser;
    p_.host.show_summary();
}

void Battle::start_battle(const Dealer& deal_enemy) {
    battlemode_ = 0;
    match_.board = {};
    match_.board_owner = {};
    match_.score[1] = 0;
    match_.score[2] = 0;
    match_.turn = p_.random.below(2) + kUser;
    deal_enemy(match_);
    match_.hand_cursor = 1;
    match_.cursor_x = 2;
    match_.cursor_y = 2;
    redraw_board();
}

void Battle::nextturn() {
    if (match_.turn == kEnemy) {
        const MoveScope move(p_.keys);
        say("It is your enemy's turn.");
        hold(1);
        run_enemy_turn();
        hold(0.5);
    } else if (match_.turn == kUser) {
        say("It is your turn.");
    }
}

void Battle::set_position(const MatchState& position, int battle_mode) {
    match_ = position;
    battlemode_ = battle_mode;
}

void Battle::announce_coin_flip(const std::string& leadin) {
    // Decided once: a key handled during the waits may change `turn`, but
    // the announcement already made must not be followed by the other one.
    const int first = match_.turn;
    const MoveScope move(p_.keys);
    if (first == kUser) {
        say(leadin + "  You have been chosen to go first!");
        hold(1);
        p_.host.give_board_the_keys();
    } else if (first == kEnemy) {
        p_.host.give_board_the_keys();
        say(leadin + "  Your opponent has been chosen to go first.");
        hold(battlemode_ == 0 ? 5 : 4);
        run_enemy_turn();
    }
}

}  // namespace velloxa
