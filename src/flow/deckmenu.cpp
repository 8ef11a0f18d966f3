// The deck menu: the collection, one item per tile, and the five deck slots
// filled with the number keys.
#include "cards/numbers.h"
#include "flow/game.h"
#include "io/describe.h"
#include "io/keycodes.h"

namespace velloxa {

void Game::deckmenu(int keycode, int) {
    const Collection& collection = campaign.collection();
    ui.cycleme(keycode, collection.unlockedcount + 1, Ends::Wrap);
    if (ui.item() <= collection.unlockedcount) {
        if (keycode == key::Enter) {
            sayit(
                "Press number keys 1 through 5 to put tiles into your deck.  These are the tiles "
                "you will have when you face your next opponent.");
            return;
        }
        if (keycode >= '1' && keycode <= '5') {
            const Placement placed = campaign.puttile(ui.item(), keycode - '0');
            sayit(placed.text);
            if (placed.changed) campaign.saveprogress();
            return;
        }
        const int t = collection.unlocked[static_cast<size_t>(ui.item())];
        std::string prefix;
        for (int slot = 1; slot <= 5; ++slot)
            if (collection.deck[1][static_cast<size_t>(slot)] == t)
                prefix = "Tile " + num(slot) + ": ";
        sayit(prefix + stattext(cards, t));
        return;
    }
    if (keycode != key::Enter) {
        sayit("Previous menu");
        return;
    }
    if (const int empty = firstemptyslot(collection); empty != 0) {
        sayit("You must assign a tile to spot number " + num(empty) +
              " before you can leave this menu.");
        return;
    }
    showmenu(Menu::Challenge, 0);
}

}  // namespace velloxa
