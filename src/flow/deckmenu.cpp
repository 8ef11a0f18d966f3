// The deck menu: the collection, one item per tile, and the five deck slots
// filled with the number keys.
#include "flow/game.h"
#include "io/numbers.h"

namespace velloxa {

void Game::deckmenu(int keycode, int shift) {
    cycleme(keycode, shift, collection.unlockedcount + 1, 0);
    if (ui.menuitem <= collection.unlockedcount) {
        if (keycode == 13) {
            sayit(
                "Press number keys 1 through 5 to put tiles into your deck.  These are the tiles "
                "you will have when you face your next opponent.");
            return;
        }
        if (keycode >= '1' && keycode <= '5') {
            bool changed = false;
            const std::string text = puttile(ui.menuitem, keycode - '0', changed);
            sayit(text);
            if (changed) saveprogress();
            return;
        }
        const int t = collection.unlocked[static_cast<size_t>(ui.menuitem)];
        std::string prefix;
        for (int slot = 1; slot <= 5; ++slot)
            if (collection.deck[1][static_cast<size_t>(slot)] == t)
                prefix = "Tile " + num(slot) + ": ";
        sayit(prefix + stattext(t));
        return;
    }
    if (keycode != 13) {
        sayit("Previous menu");
        return;
    }
    if (const int empty = firstemptyslot(); empty != 0) {
        sayit("You must assign a tile to spot number " + num(empty) +
              " before you can leave this menu.");
        return;
    }
    showmenu(4, 0);
}

}  // namespace velloxa
