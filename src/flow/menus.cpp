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
std::string difficultyline(int difficulty, bool suffix) {
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

void Game::menus(int keycode, int shift) {
    if (keycode == key::Enter && ui.menu() != Menu::Board)
        out.makesound(out.apppath("/sounds/menu/enter.wav"), 0, 0, Loop::Once, kNextFreeSlot);
    // The block is chosen once: a block that switches menus has already
    // handed the key over by calling menus(key::None, 0) itself.
    switch (ui.menu()) {
        case Menu::Main:
            mainmenu(keycode, shift);
            break;
        case Menu::NewGame:
            newgamemenu(keycode, shift);
            break;
        case Menu::Help:
            helpmenu(keycode, shift);
            break;
        case Menu::Challenge:
            challengemenu(keycode, shift);
            break;
        case Menu::Summary:
            summarymenu(keycode, shift);
            break;
        case Menu::Deck:
            deckmenu(keycode, shift);
            break;
        case Menu::Board:
            break;
    }
}

void Game::showmenu(Menu menu, int item) {
    ui.set(menu, item);
    menus(key::None, 0);
}

void MenuCursor::cycleme(int keycode, int items, Ends ends) {
    const auto step = [&](int by) {
        menuitem_ += by;
        out_.makesound(out_.apppath("/sounds/menu/arrows.wav"), 0, 0, Loop::Once, kNextFreeSlot);
    };
    if (keycode == key::Up || keycode == key::Left) {
        step(-1);
    } else if (keycode == key::Down || keycode == key::Right) {
        step(1);
    }
    if (ends == Ends::Wrap) {
        if (menuitem_ <= 0) menuitem_ = items;
        if (menuitem_ > items) menuitem_ = 1;
    } else {
        if (menuitem_ <= 0) menuitem_ = 1;
        if (menuitem_ > items) menuitem_ = items;
    }
}

void Game::mainmenu(int keycode, int shift) {
    ui.cycleme(keycode, 5, Ends::Wrap);
    // A collection of exactly five tiles is a fresh start, and before the
    // first opponent no campaign has begun: nothing to continue, so the
    // cursor steps over "Continue".
    const Collection& collection = campaign.collection();
    if (ui.item() == 2 && (collection.unlockedcount == 5 || collection.opponent < 1)) {
        ui.cycleme(keycode, 4, Ends::Wrap);
        if (ui.item() == 1) {
            menus(key::None, 0);
            return;
        }
    }
    const bool enter = keycode == key::Enter;
    switch (ui.item()) {
        case 1:
            if (!enter) {
                sayit("New game");
            } else if (shift == 0 && collection.unlockedcount > 5) {
                sayit("Hold shift and press Enter to confirm overwriting your current game.");
            } else {
                ui.set(Menu::NewGame, 0);
                sayit("Configure your game");
            }
            break;
        case 2:
            if (!enter) {
                sayit("Continue where you last left off.");
                break;
            }
            startusout();
            sayit("Good luck");
            hold(0.5);
            showmenu(Menu::Challenge, 1);
            break;
        case 3:
            if (!enter) {
                sayit(
                    "Instant action.  Start with a random hand of tiles, facing off against a "
                    "computer opponent.  No collecting tiles in this match, just an instant "
                    "battle.");
                break;
            }
            startusout();
            battle.deal([this](MatchState& match) { campaign.deal_instant_decks(match); });
            battle.set_battlemode(4);
            battle.announcecoinflip("");
            break;
        case 4:
            if (!enter) {
                sayit("How to play");
                break;
            }
            showmenu(Menu::Help, 1);
            break;
        case 5:
            if (!enter) {
                sayit("Exit");
                break;
            }
            sayit("Good bye");
            hold(1);
            platform.process.end();
            break;
        default:
            break;
    }
}

void Game::newgamemenu(int keycode, int) {
    ui.cycleme(keycode, 2, Ends::Wrap);
    const bool enter = keycode == key::Enter;
    switch (ui.item()) {
        case 1:
            if (!enter) {
                const std::string line = difficultyline(campaign.difficulty(), true);
                if (!line.empty()) sayit(line);
                break;
            }
            campaign.step_difficulty();
            if (const std::string line = difficultyline(campaign.difficulty(), false);
                !line.empty())
                sayit(line);
            break;
        case 2:
            if (!enter) {
                sayit("Begin the game.");
                break;
            }
            campaign.begin();
            startusout();
            battle.deal([this](MatchState& match) { campaign.deal_starter_deck(match); });
            sayit("Good luck");
            hold(0.5);
            showmenu(Menu::Challenge, 1);
            break;
        default:
            break;
    }
}

void Game::helpmenu(int keycode, int) {
    ui.cycleme(keycode, 5, Ends::Wrap);
    const int item = ui.item();
    if (item >= 1 && item <= 4) {
        sayit(kHelpTexts[item]);
    } else if (item == 5) {
        if (keycode != key::Enter) {
            sayit("Previous menu");
            return;
        }
        showmenu(Menu::Main, 1);
    }
}

}  // namespace velloxa
