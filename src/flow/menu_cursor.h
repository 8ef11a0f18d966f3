// The menu that has the keys and its current item.
#pragma once

namespace velloxa {

class Output;

// The menu that has the keys; Board means none: the battle board has them.
enum class Menu { Board = 0, Main, NewGame, Help, Challenge, Summary, Deck };

// Whether stepping past either end of a menu wraps around or stops there.
enum class Ends { Wrap, Stop };

class MenuCursor {
  public:
    explicit MenuCursor(Output& out) : out_(out) {}

    Menu menu() const { return menu_; }
    int item() const { return menu_item_; }  // from 1; 0 while nothing is selected yet
    // Switches menus without speaking; the caller tells the new item.
    void set(Menu menu, int item) {
        menu_ = menu;
        menu_item_ = item;
    }
    void set_item(int item) { menu_item_ = item; }
    // Steps the item for an arrow key, with its sound, and keeps it within
    // 1 to `items`.
    void step_menu_cursor(int keycode, int items, Ends ends);

  private:
    Output& out_;
    Menu menu_ = Menu::Board;
    int menu_item_ = 0;
};

}  // namespace velloxa
