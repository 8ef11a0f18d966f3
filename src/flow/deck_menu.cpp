// The deck menu: the collection, one item per tile, and the five deck slots
// filled with the number keys.
#include "cards/numbers.h"
#include "flow/game.h"
#include "io/describe.h"
#include "io/keycodes.h"

namespace velloxa {

void Game::deck_menu_key(int keycode, int) {
    const Collection& collection = campaign.collection();
    ui.step_menu_cursor(keycode, collection.unlocked_count + 1, Ends::Wrap);
    if (ui.item() <= collection.unlocked_count) {
        if (keycode == key::Enter) {
            say("Press number keys 1 through 5 to put tiles into your deck.  These are the tiles "
                "you will have when you face your next opponent.");
            return;
        }
        if (keycode >= '1' && keycode <= '5') {
            const Placement placed = campaign.put_tile_in_deck(ui.item(), keycode - '0');
            say(placed.text);
            if (placed.changed) campaign.save_progress();
            return;
        }
        const int t = collection.unlocked.at(ui.item());
        std::string prefix;
        for (int slot = 1; slot <= 5; ++slot)
            if (collection.deck.tile(slot) == t) prefix = "Tile " + num(slot) + ": ";
        say(prefix + stat_text(cards, t));
        return;
    }
    if (keycode != key::Enter) {
        say("Previous menu");
        return;
    }
    if (const int empty = first_empty_deck_slot(collection); empty != 0) {
        say("You must assign a tile to spot number " + num(empty) +
            " before you can leave this menu.");
        return;
    }
    show_menu(Menu::Challenge, 0);
}

}  // namespace velloxa
