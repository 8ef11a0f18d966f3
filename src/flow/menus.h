// Menu and game-mode state.
#pragma once

#include <string>

namespace velloxa {

struct Menus {
    int menu = 0;
    int menuitem = 0;
    int difficulty = 0;
    int battlemode = 0;
    std::string version;
};

}  // namespace velloxa
