// The game object: wires the parts of the game (the battle, the campaign,
// the menu cursor, the speech settings) to the keys the platform delivers
// and to each other. The menus, which reach every part, are its own
// routines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cards/catalogue.h"
#include "cards/collection.h"
#include "engine/match.h"
#include "engine/random.h"
#include "engine/waits.h"
#include "flow/battle.h"
#include "flow/campaign.h"
#include "flow/menu_cursor.h"
#include "flow/moves.h"
#include "flow/speech_settings.h"
#include "io/output.h"
#include "io/platform.h"

namespace velloxa {

// The version the game speaks and shows in its title.
inline constexpr char kVersion[] = "0.5f";

struct StartOptions {
    StartOptions() = default;
    StartOptions(Folders in, uint64_t first_seed) : folders(std::move(in)), seed(first_seed) {}

    Folders folders;
    uint64_t seed = 0;
    // The player's language: its texts, and for the voice and the reader
    // its code; none without a catalogue (the texts as written).
    Texts texts;
    const GameLanguage* language = nullptr;
};

class Game : public EventSink, private BattleHost {
  public:
    // With the built-in tiles, or with the tiles handed in.
    Game(Platform& platform, StartOptions options);
    Game(Platform& platform, StartOptions options, Catalogue tiles);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Returns false when start-up ended the program (no sound device).
    bool start();
    // Every key enters here; the outermost call is where a battle left in the
    // middle of a move finishes unwinding.
    void on_key(int code, int modifiers) override;
    void on_paint() override { battle.redraw_board(); }

    // ---- what the game shows, read only
    Menu menu() const { return ui.menu(); }
    int menu_item() const { return ui.item(); }
    const MatchState& position() const { return battle.position(); }
    const std::vector<std::string>& announcements() const { return battle.announcements(); }
    const Collection& collection() const { return campaign.collection(); }
    int difficulty() const override { return campaign.difficulty(); }
    const Catalogue& catalogue() const { return cards; }
    const Output& output() const { return out; }
    bool timer_running() const { return waits.holder.interval != 0; }

    // ---- a battle at a chosen position, for tests and measurements: the
    // board takes the keys; a drop or the enemy's move is played on it as
    // in a battle
    void set_position(const MatchState& position, BattleMode mode = BattleMode::Campaign);
    void drop_tile(Spot spot, int tile, Side side) { battle.drop_tile(spot, tile, side); }
    void run_enemy_turn() { battle.run_enemy_turn(); }

  private:
    // ---- keys
    void handle_key(int code, int modifiers);

    // ---- menus
    void dispatch_menu_key(int code, int modifiers);
    void show_menu(Menu menu, int item);  // switch menus and speak the new current item
    void main_menu_key(int code, int modifiers);
    void new_game_menu_key(int code, int modifiers);
    void help_menu_key(int code, int modifiers);
    void challenge_menu_key(int code, int modifiers);
    void summary_menu_key(int code, int modifiers);
    void deck_menu_key(int code, int modifiers);
    void start_battle();            // saves, then a new battle against the campaign's opponent
    void continue_after_summary();  // Enter on the summary's last item

    void show_summary() override { show_menu(Menu::Summary, 0); }
    void give_board_the_keys() override { ui.set(Menu::Board, 0); }

    void say(const std::string& text) { out.say(text); }
    std::string tr(std::string_view english, std::initializer_list<Placeholder> parts = {}) const {
        return out.tr(english, parts);
    }
    std::string story(std::string_view text) const { return out.texts().content(text); }
    void hold(double seconds) { waits.hold(seconds); }

    Platform& platform;
    uint64_t seed;
    const GameLanguage* language;
    Random random;
    Output out;
    Waits waits;
    KeyDispatch keys;
    Catalogue cards;
    bool catalogue_given;  // handed in at construction, not built at start
    MenuCursor ui;
    Campaign campaign;
    Battle battle;
    SpeechSettings speech_keys;
};

}  // namespace velloxa
