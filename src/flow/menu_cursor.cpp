#include "flow/menu_cursor.h"

#include "io/keycodes.h"
#include "io/output.h"

namespace velloxa {

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

}  // namespace velloxa
