#include "cards/catalogue.h"

namespace velloxa {

void build_catalogue(Catalogue& cards) {
    int index = 0;
    for (const TileContent& t : tile_content()) {
        ++index;
        cards.cardname[index] = t.name;
        cards.carddesc[index] = t.desc;
        cards.cardcollection[index] = t.collection;
        cards.cardsound[index] = t.sound;
        cards.cardcapture[index] = t.capture;
        cards.cardenemycapture[index] = t.enemycapture;
        cards.cardup[index] = t.up;
        cards.cardright[index] = t.right;
        cards.carddown[index] = t.down;
        cards.cardleft[index] = t.left;
        cards.cardrarity[index] = t.rarity;
    }
    cards.cardcount = index;
    cards.former.clear();
    for (const FormerName& f : former_names()) cards.former.emplace_back(f.index, f.name);
}

}  // namespace velloxa
