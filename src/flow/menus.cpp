// The spoken menus: the frame every key passes through, the stepping shared
// by all menus, and the main, new game and help menus.
#include "flow/menus.h"

#include <array>

#include "flow/game.h"
#include "io/keycodes.h"

namespace velloxa {

namespace {

const std::array<const char*, 6> kDifficultyNames = {"",       "easiest", "easy",
                                                     "medium", "hard",    "hardest"};

// Empty for a level the menu does not know, so nothing is spoken for it.
std::string difficulty_line(int difficulty, bool suffix) {
    if (difficulty < 1 || difficulty > 5) return {};
    return std::string("Difficulty set to ") + kDifficultyNames[difficulty] +
           (suffix ? ".  Press Enter to change." : ".");
}

const std::array<const char*, 5> kHelpTexts = {
    "",
    "Velloxa is played on a 3 by 3 grid and each player starts the game with 5 tiles in their "
    "hand.  Press number keys 1 through 5 to view your own tiles, and numbers 6 through 0 to "
    "view your opponent's tiles.",
    "During your turn, place a tile on the board by using the arrows to select an empty spot.  "
    "Press the number keys to find the card you would like to drop, then hold shift and press "
    "that number to confirm dropping it.",
    "Each card has 4 attack strengths, for the directions up, down, left, and right.  If the tile "
    "you drop has a higher attack than an enemy card in that direction, the enemy card will "
    "become captured and now belong to you.  Capturing a tile gives you 1 point.  When captured "
    "in this way, the enemy's tile will be dropped back onto the board as your own, sometimes "
    "causing chain reactions as it then captures more of your opponent's tiles.",
    "A special rule is called the Plus rule, and it is a different way to capture enemy tiles.  "
    "When dropping a tile, if its attacks, added to the attacks of adjacent enemy tiles are all "
    "equal, then you will capture those enemy tiles.  It's confusing and I'll try to think up a "
    "better way to explain it.  Tiles captured using the Plus rule, do not chain reaction to "
    "capture additional tiles.",
};

}  // namespace

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

void MenuCursor::step_menu_cursor(int keycode, int items, Ends ends) {
    const auto step = [&](int by) {
        menu_item_ += by;
        out_.play_sound(out_.app_path("/sounds/menu/arrows.wav"), 0, 0, Loop::Once, kNextFreeSlot);
    };
    if (keycode == key::Up || keycode == key::Left) {
        step(-1);
    } else if (keycode == key::Down || keycode == key::Right) {
        step(1);
    }
    if (ends == Ends::Wrap) {
        if (menu_item_ <= 0) menu_item_ = items;
        if (menu_item_ > items) menu_item_ = 1;
    } else {
        if (menu_item_ <= 0) menu_item_ = 1;
        if (menu_item_ > items) menu_item_ = items;
    }
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
                say("New game");
            } else if (shift == 0 && collection.unlocked_count > 5) {
                say("Hold shift and press Enter to confirm overwriting your current game.");
            } else {
                ui.set(Menu::NewGame, 0);
                say("Configure your game");
            }
            break;
        case 2:
            if (!enter) {
                say("Continue where you last left off.");
                break;
            }
            start_battle();
            say("Good luck");
            hold(0.5);
            show_menu(Menu::Challenge, 1);
            break;
        case 3:
            if (!enter) {
                say("Instant action.  Start with a random hand of tiles, facing off against a "
                    "computer opponent.  No collecting tiles in this match, just an instant "
                    "battle.");
                break;
            }
            start_battle();
            battle.deal([this](MatchState& match) { campaign.deal_instant_decks(match); });
            battle.set_battle_mode(4);
            battle.announce_coin_flip("");
            break;
        case 4:
            if (!enter) {
                say("How to play");
                break;
            }
            show_menu(Menu::Help, 1);
            break;
        case 5:
            if (!enter) {
                say("Exit");
                break;
            }
            say("Good bye");
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
                const std::string line = difficulty_line(campaign.difficulty(), true);
                if (!line.empty()) say(line);
                break;
            }
            campaign.step_difficulty();
            if (const std::string line = difficulty_line(campaign.difficulty(), false);
                !line.empty())
                say(line);
            break;
        case 2:
            if (!enter) {
                say("Begin the game.");
                break;
            }
            campaign.begin();
            start_battle();
            battle.deal([this](MatchState& match) { campaign.deal_starter_deck(match); });
            say("Good luck");
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
        say(kHelpTexts[item]);
    } else if (item == 5) {
        if (keycode != key::Enter) {
            say("Previous menu");
            return;
        }
        show_menu(Menu::Main, 1);
    }
}

}  // namespace velloxa
