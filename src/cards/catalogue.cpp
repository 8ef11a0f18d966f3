#include "cards/catalogue.h"

namespace velloxa {

void build_catalogue(Catalogue& cards) {
    int index = 0;
    for (const TileContent& t : tile_content()) {
        ++index;
        cards.tile_name[index] = t.name;
        cards.tile_description[index] = t.desc;
        cards.tile_collection[index] = t.collection;
        cards.tile_sound[index] = t.sound;
        cards.tile_capture[index] = t.capture;
        cards.tile_enemy_capture[index] = t.enemy_capture;
        cards.tile_up[index] = t.up;
        cards.tile_right[index] = t.right;
        cards.tile_down[index] = t.down;
        cards.tile_left[index] = t.left;
        cards.tile_rarity[index] = t.rarity;
    }
    cards.tile_count = index;
    cards.former.clear();
    for (const FormerName& f : former_names()) cards.former.emplace_back(f.index, f.name);
}

}  // namespace velloxa
