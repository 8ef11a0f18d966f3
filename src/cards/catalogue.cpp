#include "cards/catalogue.h"

namespace velloxa {

void build_catalogue(Catalogue& cards) {
    cards = Catalogue{};
    for (const Tile& t : tile_content()) cards.add(t);
    for (const FormerName& f : former_names()) cards.former.emplace_back(f.index, f.name);
}

}  // namespace velloxa
