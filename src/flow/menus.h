// Menu and game-mode state.
#pragma once

#include <string>

namespace velloxa {

// The menu that has the keys; Board means none: the battle board has them.
enum class Menu { Board = 0, Main, NewGame, Help, Challenge, Summary, Deck };

// Whether stepping past either end of a menu wraps around or stops there.
enum class Ends { Wrap, Stop };

struct Menus {
    Menu menu = Menu::Board;
    int menuitem = 0;  // from 1; 0 while nothing is selected yet
    int difficulty = 0;
    int battlemode = 0;  // 0 in the campaign; a fixed level (4) in Instant action
    std::string version;
};

}  // namespace velloxa
