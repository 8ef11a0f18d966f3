// Placeholder content; the real tile content replaces it.
#include "cards/catalogue.h"

namespace velloxa {

const std::array<TileContent, 62>& tile_content() {
    static const std::array<TileContent, 62> kTiles = {{
        {"Tile 1", "Description 1.", "World 1", "tile1", "Tile 1 takes $T.", "Enemy tile 1 takes $T.", 3, 2, 1, 1, 1},
        {"Tile 2", "Description 2.", "World 2", "", "Tile 2 takes $T.", "Enemy tile 2 takes $T.", 1, 3, 2, 1, 1},
        {"Tile 3", "Description 3.", "World 3", "tile3", "Tile 3 takes $T.", "Enemy tile 3 takes $T.", 1, 1, 3, 2, 1},
        {"Tile 4", "Description 4.", "World 4", "", "Tile 4 takes $T.", "Enemy tile 4 takes $T.", 2, 1, 1, 3, 1},
        {"Tile 5", "Description 5.", "World 1", "tile5", "Tile 5 takes $T.", "Enemy tile 5 takes $T.", 3, 1, 1, 2, 1},
        {"Tile 6", "Description 6.", "World 5", "tile6", "Tile 6 takes $T.", "Enemy tile 6 takes $T.", 2, 3, 1, 1, 1},
        {"Tile 7", "Description 7.", "World 5", "tile7", "Tile 7 takes $T.", "Enemy tile 7 takes $T.", 1, 2, 3, 1, 1},
        {"Tile 8", "Description 8.", "World 6", "tile8", "Tile 8 takes $T.", "Enemy tile 8 takes $T.", 1, 1, 2, 3, 1},
        {"Tile 9", "Description 9.", "World 3", "tile9", "Tile 9 takes $T.", "Enemy tile 9 takes $T.", 4, 1, 1, 1, 1},
        {"Tile 10", "Description 10.", "World 7", "tile10", "Tile 10 takes $T.", "Enemy tile 10 takes $T.", 1, 4, 1, 1, 1},
        {"Tile 11", "Description 11.", "World 1", "tile17", "Tile 11 takes $T.", "Enemy tile 11 takes $T.", 1, 1, 4, 1, 1},
        {"Tile 12", "Description 12.", "World 8", "", "Tile 12 takes $T.", "Enemy tile 12 takes $T.", 1, 1, 1, 4, 1},
        {"Tile 13", "Description 13.", "World 3", "tile13", "Tile 13 takes $T.", "Enemy tile 13 takes $T.", 4, 0, 3, 0, 1},
        {"Tile 14", "Description 14.", "World 7", "tile14", "Tile 14 takes $T.", "Enemy tile 14 takes $T.", 0, 4, 0, 3, 1},
        {"Tile 15", "Description 15.", "World 4", "", "Tile 15 takes $T.", "Enemy tile 15 takes $T.", 3, 0, 4, 0, 1},
        {"Tile 16", "Description 16.", "World 5", "tile16", "Tile 16 takes $T.", "Enemy tile 16 takes $T.", 0, 3, 0, 4, 1},
        {"Tile 17", "Description 17.", "World 1", "tile17", "Tile 17 takes $T.", "Enemy tile 17 takes $T.", 3, 3, 2, 1, 2},
        {"Tile 18", "Description 18.", "World 9", "tile18", "Tile 18 takes $T.", "Enemy tile 18 takes $T.", 1, 3, 3, 2, 2},
        {"Tile 19", "Description 19.", "World 5", "tile19", "", "", 2, 1, 3, 3, 2},
        {"Tile 20", "Description 20.", "World 5", "tile20", "", "", 3, 2, 1, 3, 2},
        {"Tile 21", "Description 21.", "World 6", "", "Tile 21 takes $T.", "Enemy tile 21 takes $T.", 3, 1, 2, 3, 2},
        {"Tile 22", "Description 22.", "World 1", "tile22", "", "", 3, 3, 1, 2, 2},
        {"Tile 23", "Description 23.", "World 1", "", "", "", 2, 3, 3, 1, 2},
        {"Tile 24", "Description 24.", "World 10", "tile24", "Tile 24 takes $T.", "Enemy tile 24 takes $T.", 1, 2, 3, 3, 2},
        {"Tile 25", "Description 25.", "World 11", "", "", "", 0, 4, 4, 1, 2},
        {"Tile 26", "Description 26.", "World 5", "tile26", "", "", 1, 0, 4, 4, 2},
        {"Tile 27", "Description 27.", "World 5", "tile27", "", "", 4, 1, 0, 4, 2},
        {"Tile 28", "Description 28.", "World 1", "", "", "", 4, 4, 1, 0, 2},
        {"Tile 29", "Description 29.", "World 5", "tile29", "", "", 6, 0, 3, 0, 2},
        {"Tile 30", "Description 30.", "World 5", "tile30", "", "", 0, 6, 0, 3, 2},
        {"Tile 31", "Description 31.", "World 3", "tile31", "Tile 31 takes $T.", "Enemy tile 31 takes $T.", 3, 0, 6, 0, 2},
        {"Tile 32", "Description 32.", "World 1", "tile32", "Tile 32 takes $T.", "Enemy tile 32 takes $T.", 0, 3, 0, 6, 2},
        {"Tile 33", "Description 33.", "World 12", "", "Tile 33 takes $T.", "Enemy tile 33 takes $T.", 4, 3, 2, 2, 3},
        {"Tile 34", "Description 34.", "World 5", "tile34", "Tile 34 takes $T.", "Enemy tile 34 takes $T.", 2, 4, 3, 2, 3},
        {"Tile 35", "Description 35.", "World 13", "tile35", "Tile 35 takes $T.", "Enemy tile 35 takes $T.", 2, 2, 4, 3, 3},
        {"Tile 36", "Description 36.", "World 13", "tile36", "Tile 36 takes $T.", "Enemy tile 36 takes $T.", 3, 2, 2, 4, 3},
        {"Tile 37", "Description 37.", "World 7", "tile37", "Tile 37 takes $T.", "Enemy tile 37 takes $T.", 4, 2, 2, 3, 3},
        {"Tile 38", "Description 38.", "World 8", "", "Tile 38 takes $T.", "Enemy tile 38 takes $T.", 3, 4, 2, 2, 3},
        {"Tile 39", "Description 39.", "World 7", "tile39", "Tile 39 takes $T.", "Enemy tile 39 takes $T.", 2, 3, 4, 2, 3},
        {"Tile 40", "Description 40.", "World 3", "tile40", "Tile 40 takes $T.", "Enemy tile 40 takes $T.", 2, 2, 3, 4, 3},
        {"Tile 41", "Description 41.", "World 3", "tile41", "Tile 41 takes $T.", "Enemy tile 41 takes $T.", 7, 1, 2, 1, 3},
        {"Tile 42", "Description 42.", "World 1", "tile42", "Tile 42 takes $T.", "Enemy tile 42 takes $T.", 1, 7, 1, 2, 3},
        {"Tile 43", "Description 43.", "World 5", "tile43", "Tile 43 takes $T.", "Enemy tile 43 takes $T.", 2, 1, 7, 1, 3},
        {"Tile 44", "Description 44.", "World 5", "tile44", "Tile 44 takes $T.", "Enemy tile 44 takes $T.", 1, 2, 1, 7, 3},
        {"Tile 45", "Description 45.", "World 1", "", "Tile 45 takes $T.", "Enemy tile 45 takes $T.", 5, 4, 3, 2, 4},
        {"Tile 46", "Description 46.", "World 1", "", "Tile 46 takes $T.", "Enemy tile 46 takes $T.", 2, 5, 4, 3, 4},
        {"Tile 47", "Description 47.", "World 2", "", "Tile 47 takes $T.", "Enemy tile 47 takes $T.", 3, 2, 5, 4, 4},
        {"Tile 48", "Description 48.", "World 5", "tile48", "Tile 48 takes $T.", "Enemy tile 48 takes $T.", 4, 3, 2, 5, 4},
        {"Tile 49", "Description 49.", "World 10", "", "Tile 49 takes $T.", "Enemy tile 49 takes $T.", 5, 2, 3, 4, 4},
        {"Tile 50", "Description 50.", "World 5", "", "Tile 50 takes $T.", "Enemy tile 50 takes $T.", 4, 5, 2, 3, 4},
        {"Tile 51", "Description 51.", "World 5", "tile51", "Tile 51 takes $T.", "Enemy tile 51 takes $T.", 3, 4, 5, 2, 4},
        {"Tile 52", "Description 52.", "World 7", "tile52", "Tile 52 takes $T.", "Enemy tile 52 takes $T.", 2, 3, 4, 5, 4},
        {"Tile 53", "Description 53.", "World 1", "", "Tile 53 takes $T.", "Enemy tile 53 takes $T.", 7, 0, 7, 0, 4},
        {"Tile 54", "Description 54.", "World 1", "tile54", "Tile 54 takes $T.", "Enemy tile 54 takes $T.", 0, 7, 0, 7, 4},
        {"Tile 55", "Description 55.", "World 5", "", "Tile 55 takes $T.", "Enemy tile 55 takes $T.", 7, 0, 0, 7, 4},
        {"Tile 56", "Description 56.", "World 7", "tile56", "Tile 56 takes $T.", "Enemy tile 56 takes $T.", 0, 7, 7, 0, 4},
        {"Tile 57", "Description 57.", "World 14", "", "Tile 57 takes $T.", "Enemy tile 57 takes $T.", 6, 5, 4, 2, 5},
        {"Tile 58", "Description 58.", "World 3", "", "Tile 58 takes $T.", "Enemy tile 58 takes $T.", 2, 6, 5, 4, 5},
        {"Tile 59", "Description 59.", "World 7", "tile59", "Tile 59 takes $T.", "Enemy tile 59 takes $T.", 4, 2, 6, 5, 5},
        {"Tile 60", "Description 60.", "World 8", "tile60", "Tile 60 takes $T.", "Enemy tile 60 takes $T.", 5, 4, 2, 6, 5},
        {"Tile 61", "Description 61.", "World 15", "", "Tile 61 takes $T.", "Enemy tile 61 takes $T.", 6, 2, 4, 5, 5},
        {"Tile 62", "Description 62.", "World 5", "tile62", "Tile 62 takes $T.", "Enemy tile 62 takes $T.", 5, 6, 2, 4, 5},
    }};
    return kTiles;
}

const std::array<FormerName, 2>& former_names() {
    static const std::array<FormerName, 2> kFormer = {{{12, "Old Tile 12"}, {18, "Old Tile 18"}}};
    return kFormer;
}

}  // namespace velloxa
