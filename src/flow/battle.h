// A battle: its position, the latest move's announcements, whether it is a
// campaign battle or Instant action, the player's board keys and drops, and
// the enemy's turn.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cards/catalogue.h"
#include "engine/match.h"
#include "engine/opponent.h"
#include "engine/random.h"
#include "engine/waits.h"
#include "flow/moves.h"
#include "io/describe.h"
#include "io/output.h"
#include "io/platform.h"

namespace velloxa {

// What a battle asks of the game around it.
class BattleHost {
  public:
    virtual int difficulty() const = 0;
    // After every move the summary of its announcements takes the keys.
    virtual void show_summary() = 0;
    // The board takes the keys, nothing spoken.
    virtual void give_board_the_keys() = 0;

  protected:
    ~BattleHost() = default;
};

// Fills the hands of a battle from tiles the battle does not own (the
// collection, a random Instant action deal).
using Dealer = std::function<void(MatchState&)>;

struct BattleParts {
    BattleHost& host;
    Output& out;
    Waits& waits;
    Random& random;
    Canvas& canvas;
    const Catalogue& cards;
    KeyDispatch& keys;
};

class Battle {
  public:
    explicit Battle(BattleParts parts) : p_(parts) { match_.hand_cursor = 1; }

    const MatchState& position() const { return match_; }
    const std::vector<std::string>& announcements() const { return queue_.announcements; }
    BattleMode battle_mode() const { return battle_mode_; }
    // The enemy's move and the user's own drop in progress keep the board
    // keys out.
    // mutate: keys-during-drop
    bool board_keys_held() const { return match_.turn == Side::Enemy || match_.dropping; }

    // A battle set up at a given position, as a test or a measurement needs.
    void set_position(const MatchState& position, BattleMode mode);

    // A new battle: empty board, coin flip decided, the enemy's hand dealt.
    void start_battle(const Dealer& deal_enemy);
    void deal(const Dealer& dealer) { dealer(match_); }
    void set_battle_mode(BattleMode mode) { battle_mode_ = mode; }
    void announce_coin_flip(const std::string& leadin);
    // Enter on the summary's last item of a battle not yet over.
    void next_turn();
    // Escape on the finished battle's summary: nobody moves any more.
    void view_finished_board() { match_.turn = Side::Nobody; }
    // What a move left open when Shift+Escape unwound it.
    void abandon_move() { match_.dropping = false; }  // mutate: keys-leave-keeps-drop

    void board_key(int code, int modifiers);  // a key on the battle board
    void drop_player_tile();                  // Shift+digit on the board, after its checks
    void drop_tile(Spot spot, int tile, Side side);
    void run_enemy_turn();
    void redraw_board() { velloxa::draw_board(p_.canvas, p_.out.texts(), match_, p_.cards); }

  private:
    class LiveDrop;  // the effects of a drop the player hears
    void say(const std::string& text) { p_.out.say(text); }
    std::string tr(std::string_view english, std::initializer_list<Placeholder> parts = {}) const {
        return p_.out.tr(english, parts);
    }
    std::string tile_name(int tile) const {
        return p_.out.texts().content(p_.cards.tile(tile).name);
    }
    void hold(double seconds) { p_.waits.hold(seconds); }

    BattleParts p_;
    MatchState match_;
    AnnouncementQueue queue_;
    BattleMode battle_mode_ = BattleMode::Campaign;
};

}  // namespace velloxa
