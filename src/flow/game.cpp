// The game object: start-up, the key handler (keys that work everywhere
// first, then the menus, then the battle board) and the spoken menus: the
// main, new game and help menus, the campaign's hub (challenge menu), the
// summary read out after every move of a battle and the deck menu.
#include "flow/game.h"

#include <array>

#include "cards/decks.h"
#include "cards/numbers.h"
#include "flow/story.h"
#include "io/describe.h"
#include "io/keycodes.h"

namespace velloxa {

namespace {

// The menu's line for each level, and the line once it has changed.
struct DifficultyLines {
    const char* offered;
    const char* changed;
};
const std::array<DifficultyLines, 6> kDifficultyLines = {{
    {"", ""},
    {translatable("Difficulty set to easiest.  Press Enter to change."),
     translatable("Difficulty set to easiest.")},
    {translatable("Difficulty set to easy.  Press Enter to change."),
     translatable("Difficulty set to easy.")},
    {translatable("Difficulty set to medium.  Press Enter to change."),
     translatable("Difficulty set to medium.")},
    {translatable("Difficulty set to hard.  Press Enter to change."),
     translatable("Difficulty set to hard.")},
    {translatable("Difficulty set to hardest.  Press Enter to change."),
     translatable("Difficulty set to hardest.")},
}};

// Empty for a level the menu does not know, so nothing is spoken for it.
std::string difficulty_line(const Texts& texts, int difficulty, bool offered) {
    if (difficulty < 1 || difficulty > 5) return {};
    const DifficultyLines& lines = kDifficultyLines[static_cast<size_t>(difficulty)];
    return texts.tr(offered ? lines.offered : lines.changed);
}

const std::array<const char*, 5> kHelpTexts = {
    "",
    translatable(
        "Velloxa is played on a 3 by 3 grid and each player starts the game with 5 tiles in their "
        "hand.  Press number keys 1 through 5 to view your own tiles, and numbers 6 through 0 to "
        "view your opponent's tiles."),
    translatable(
        "During your turn, place a tile on the board by using the arrows to select an empty spot.  "
        "Press the number keys to find the card you would like to drop, then hold shift and press "
        "that number to confirm dropping it."),
    translatable(
        "Each card has 4 attack strengths, for the directions up, down, left, and right.  If the "
        "tile "
        "you drop has a higher attack than an enemy card in that direction, the enemy card will "
        "become captured and now belong to you.  Capturing a tile gives you 1 point.  When "
        "captured "
        "in this way, the enemy's tile will be dropped back onto the board as your own, sometimes "
        "causing chain reactions as it then captures more of your opponent's tiles."),
    translatable(
        "A special rule is called the Plus rule, and it is a different way to capture enemy tiles. "
        " "
        "When dropping a tile, if its attacks, added to the attacks of adjacent enemy tiles are "
        "all "
        "equal, then you will capture those enemy tiles.  It's confusing and I'll try to think up "
        "a "
        "better way to explain it.  Tiles captured using the Plus rule, do not chain reaction to "
        "capture additional tiles."),
};

// The story told at a campaign position of 1 or more; every position past
// the last opponent tells the same final texts.
const OpponentStory& story_at(int opponent) {
    const int index = opponent >= 11 ? 10 : opponent - 1;
    return story_content()[static_cast<size_t>(index)];
}

std::string score_line(const Texts& texts, const MatchState& match) {
    const double mine = match.score(Side::Player), theirs = match.score(Side::Enemy);
    const char* line =
        !match.board_full()
            ? translatable(
                  "Score is {mine} to {theirs}.  Press Enter to continue, or escape to "
                  "view the board.")
        : mine > theirs ? translatable(
                              "You have won the battle!  Score was {mine} to {theirs}.  "
                              "Press Enter to continue, or escape to view the board.")
        : mine < theirs ? translatable(
                              "You have been defeated!  Score was {theirs} to {mine}.  Press Enter "
                              "to continue, or escape to view the board.")
                        : translatable(
                              "The battle was a draw.  Score was tied {mine} to {theirs}.  Press "
                              "Enter to continue, or escape to view the board.");
    return texts.tr(line, {{"mine", num(mine)}, {"theirs", num(theirs)}});
}

}  // namespace

Game::Game(Platform& p, StartOptions options) : Game(p, std::move(options), Catalogue{}) {
    catalogue_given = false;
}

Game::Game(Platform& p, StartOptions options, Catalogue tiles)
    : platform(p),
      seed(options.seed),
      language(options.language),
      out(p, std::move(options.folders)),
      waits(p.clock),
      cards(std::move(tiles)),
      catalogue_given(true),
      ui(out),
      campaign(p, out, random, cards),
      battle(BattleParts{*this, out, waits, random, p.canvas, cards, keys}),
      speech_keys(p, out, kVersion, [this] { campaign.save_progress(); }) {
    out.set_texts(std::move(options.texts));
}

bool Game::start() {
    random.seed(seed);
    out.set_version(kVersion);
    if (language != nullptr) {
        platform.voice.use_language(*language);
        platform.reader.use_language(*language);
    }
    out.start_voice(2);
    out.probe_screen_reader();

    if (!platform.sound.open_device()) {
        std::string message =
            tr("Unable to start DirectSound. Check to see that your sound card is properly "
               "installed.  Try running Dorvic.exe from your Quillon folder.  For some people, "
               "this can correct this issue.");
        // A screen reader reads the box aloud, so the language file may
        // replace it as it replaces any spoken text (with advice that fits
        // the system); it is read this early only on the way out.
        out.load_language_file();
        if (out.language().entry_count != 0) out.translate(message);
        platform.msgbox.show(message);
        platform.process.end();
        return false;
    }
    out.preload_sounds();

    out.set_sound_folder("sounds");
    if (!catalogue_given) build_catalogue(cards);
    out.load_language_file();
    if (platform.files.exists(out.data_path("/progress.ini"))) campaign.load_progress();
    // A route that cannot speak, or that nobody hears on this platform, would
    // leave the player without even the welcome; the file keeps its value
    // until the next save.
    const Speech& speech = out.speech();
    // mutate: startup-silent-route
    if ((speech.speech_route == SpeechRoute::ScreenReader && !speech.reader_available) ||
        (needs_title_reader(speech.speech_route) && !platform.window.title_is_read()))
        out.set_speech_route(SpeechRoute::Voice);

    const std::string welcome =
        tr("Welcome to Nebbin's Velloxa, version {version}.  Main menu.", {{"version", kVersion}});
    const bool on_reader = speech.speech_route == SpeechRoute::ScreenReader;
    say(welcome);
    // A reader that answers the probe but not the welcome has sent the game
    // to the voice, which told so: the welcome again, now heard.
    if (on_reader && speech.speech_route != SpeechRoute::ScreenReader) say(welcome);
    ui.set(Menu::Main, 0);
    return true;
}

void Game::set_position(const MatchState& position, BattleMode mode) {
    battle.set_position(position, mode);
    give_board_the_keys();
}

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
        out.lift_key_chord_block();
        waits.stop_timer();
    }
}

void Game::handle_key(int keycode, int shift) {
    const MatchState& match = battle.position();
    // The speech route's own key chord must not reach the game.
    if (out.speech().sending_chord) return;  // mutate: keys-chord-guard
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
        say(tr("You may now view the board.  Press Escape again to return to the summary screen."));
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
        say(tr("Hold shift and press Escape to return to the main menu."));
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

void Game::dispatch_menu_key(int keycode, int shift) {
    if (keycode == key::Enter && ui.menu() != Menu::Board)
        out.play_sound(out.app_path("/sounds/menu/enter.wav"), 0, 0, Loop::Once, kNextFreeSlot);
    // The block is chosen once: a block that switches menus has already
    // handed the key over by calling dispatch_menu_key(key::None, 0) itself.
    switch (ui.menu()) {
        case Menu::Main:
            main_menu_key(keycode, shift);
            break;
        case Menu::NewGame:
            new_game_menu_key(keycode, shift);
            break;
        case Menu::Help:
            help_menu_key(keycode, shift);
            break;
        case Menu::Challenge:
            challenge_menu_key(keycode, shift);
            break;
        case Menu::Summary:
            summary_menu_key(keycode, shift);
            break;
        case Menu::Deck:
            deck_menu_key(keycode, shift);
            break;
        case Menu::Board:
            break;
    }
}

void Game::show_menu(Menu menu, int item) {
    ui.set(menu, item);
    dispatch_menu_key(key::None, 0);
}

void Game::main_menu_key(int keycode, int shift) {
    ui.step_menu_cursor(keycode, 5, Ends::Wrap);
    // A collection of exactly five tiles is a fresh start, and before the
    // first opponent no campaign has begun: nothing to continue, so the
    // cursor steps over "Continue".
    const Collection& collection = campaign.collection();
    // mutate: menu-continue-skip
    if (ui.item() == 2 && (collection.unlocked_count == 5 || collection.opponent < 1)) {
        ui.step_menu_cursor(keycode, 4, Ends::Wrap);
        if (ui.item() == 1) {
            dispatch_menu_key(key::None, 0);
            return;
        }
    }
    const bool enter = keycode == key::Enter;
    switch (ui.item()) {
        case 1:
            if (!enter) {
                say(tr("New game"));
            } else if (shift == 0 && collection.unlocked_count > 5) {
                say(tr("Hold shift and press Enter to confirm overwriting your current game."));
            } else {
                ui.set(Menu::NewGame, 0);
                say(tr("Configure your game"));
            }
            break;
        case 2:
            if (!enter) {
                say(tr("Continue where you last left off."));
                break;
            }
            start_battle();
            say(tr("Good luck"));
            hold(0.5);
            show_menu(Menu::Challenge, 1);
            break;
        case 3:
            if (!enter) {
                say(
                    tr("Instant action.  Start with a random hand of tiles, facing off against a "
                       "computer opponent.  No collecting tiles in this match, just an instant "
                       "battle."));
                break;
            }
            start_battle();
            battle.deal([this](MatchState& match) { campaign.deal_instant_decks(match); });
            battle.set_battle_mode(BattleMode::InstantAction);
            battle.announce_coin_flip("");
            break;
        case 4:
            if (!enter) {
                say(tr("How to play"));
                break;
            }
            show_menu(Menu::Help, 1);
            break;
        case 5:
            if (!enter) {
                say(tr("Exit"));
                break;
            }
            say(tr("Good bye"));
            hold(1);
            platform.process.end();
            break;
        default:
            break;
    }
}

void Game::new_game_menu_key(int keycode, int) {
    ui.step_menu_cursor(keycode, 2, Ends::Wrap);
    const bool enter = keycode == key::Enter;
    switch (ui.item()) {
        case 1:
            if (!enter) {
                const std::string line = difficulty_line(out.texts(), campaign.difficulty(), true);
                if (!line.empty()) say(line);
                break;
            }
            campaign.step_difficulty();
            if (const std::string line = difficulty_line(out.texts(), campaign.difficulty(), false);
                !line.empty())
                say(line);
            break;
        case 2:
            if (!enter) {
                say(tr("Begin the game."));
                break;
            }
            campaign.begin();
            start_battle();
            battle.deal([this](MatchState& match) { campaign.deal_starter_deck(match); });
            say(tr("Good luck"));
            hold(0.5);
            show_menu(Menu::Challenge, 1);
            break;
        default:
            break;
    }
}

void Game::help_menu_key(int keycode, int) {
    ui.step_menu_cursor(keycode, 5, Ends::Wrap);
    const int item = ui.item();
    if (item >= 1 && item <= 4) {
        say(tr(kHelpTexts[static_cast<size_t>(item)]));
    } else if (item == 5) {
        if (keycode != key::Enter) {
            say(tr("Previous menu"));
            return;
        }
        show_menu(Menu::Main, 1);
    }
}

void Game::challenge_menu_key(int keycode, int shift) {
    const Collection& collection = campaign.collection();
    // Before any campaign exists the menu has nothing to offer.
    if (collection.opponent < 1) return;
    ui.step_menu_cursor(keycode, collection.opponent == 1 ? 3 : 4, Ends::Stop);
    const bool enter = keycode == key::Enter;
    switch (ui.item()) {
        case 1:
            say(story(story_at(collection.opponent).so_far));
            break;
        case 2:
            if (!enter) {
                say(tr("Configure your deck for battle."));
                break;
            }
            show_menu(Menu::Deck, 1);
            break;
        case 3:
            if (enter && collection.opponent < 11) {
                // Four tiles cannot fill nine spots when the player goes
                // first: such a battle could never end.
                const int empty = first_empty_deck_slot(collection);
                if (empty != 0) {  // mutate: challenge-empty-slot
                    say(
                        tr("Deck slot {slot} is empty.  Fill it under Configure your deck before "
                           "you face this opponent.",
                           {{"slot", num(empty)}}));
                    break;
                }
                const std::string leadin = story_at(collection.opponent).coin_flip;
                start_battle();
                battle.deal(
                    [this](MatchState& match) { campaign.deal_user_hand_from_deck(match); });
                battle.announce_coin_flip(leadin);
                break;
            }
            say(story(story_at(collection.opponent).intro));
            break;
        case 4:
            if (!enter) {
                say(story(story_at(collection.opponent).go_back));
                break;
            }
            if (shift == 0) {
                say(
                    tr("Hold shift and press Enter to confirm going back to face an earlier "
                       "opponent.  You will have to defeat that opponent again before moving "
                       "forward."));
                break;
            }
            campaign.go_back();
            say(
                tr("You look at your tiles and decide you should spend more time here before "
                   "moving on to stronger opponents."));
            break;
        default:
            break;
    }
}

void Game::summary_menu_key(int keycode, int) {
    const std::vector<std::string>& announcements = battle.announcements();
    const auto count = [&announcements] { return static_cast<int>(announcements.size()); };
    ui.step_menu_cursor(keycode, count() + 1, Ends::Stop);
    if (keycode == key::Enter && ui.item() == count() + 1) {
        continue_after_summary();
        return;
    }
    // Enter walks forward through the move like Down.
    if (keycode == key::Enter && ui.item() < count() + 1) ui.set_item(ui.item() + 1);
    if (ui.item() >= 1 && ui.item() <= count())
        say(announcements[static_cast<size_t>(ui.item() - 1)]);
    if (ui.item() == count() + 1) say(score_line(out.texts(), battle.position()));
}

void Game::continue_after_summary() {
    ui.set(Menu::Board, 0);
    const MatchState& match = battle.position();
    if (!match.board_full()) {
        battle.next_turn();
        return;
    }
    const bool in_campaign = battle.battle_mode() == BattleMode::Campaign;
    if (match.score(Side::Player) > match.score(Side::Enemy)) {
        if (in_campaign) {
            campaign.advance();
            campaign.steal_tile();  // mutate: campaign-no-reward
            campaign.save_progress();
            ui.set(Menu::Challenge, 1);
        } else {
            show_menu(Menu::Main, 0);
        }
        return;
    }
    show_menu(in_campaign ? Menu::Challenge : Menu::Main, 1);
}

void Game::start_battle() {
    campaign.save_progress();
    battle.start_battle([this](MatchState& match) { campaign.deal_opponent_hand(match); });
}

void Game::deck_menu_key(int keycode, int) {
    const Collection& collection = campaign.collection();
    ui.step_menu_cursor(keycode, collection.unlocked_count + 1, Ends::Wrap);
    if (ui.item() <= collection.unlocked_count) {
        if (keycode == key::Enter) {
            say(
                tr("Press number keys 1 through 5 to put tiles into your deck.  These are the "
                   "tiles you will have when you face your next opponent."));
            return;
        }
        if (keycode >= '1' && keycode <= '5') {
            const Placement placed = campaign.put_tile_in_deck(ui.item(), keycode - '0');
            say(placement_text(out.texts(), cards, placed));
            if (placed.changed()) campaign.save_progress();
            return;
        }
        const int t = collection.unlocked.at(ui.item());
        const std::string tile = stat_text(out.texts(), cards, t);
        int in_slot = 0;
        for (int slot = 1; slot <= 5; ++slot)
            if (collection.deck.tile(slot) == t) in_slot = slot;
        say(in_slot == 0 ? tile
                         : tr("Tile {slot}: {tile}", {{"slot", num(in_slot)}, {"tile", tile}}));
        return;
    }
    if (keycode != key::Enter) {
        say(tr("Previous menu"));
        return;
    }
    if (const int empty = first_empty_deck_slot(collection); empty != 0) {
        say(tr("You must assign a tile to spot number {slot} before you can leave this menu.",
               {{"slot", num(empty)}}));
        return;
    }
    show_menu(Menu::Challenge, 0);
}

}  // namespace velloxa
