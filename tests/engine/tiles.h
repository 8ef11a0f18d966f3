// Tiles and boards written as text for the rule tests, on a plain match.
#pragma once

#include <map>
#include <sstream>
#include <string>

#include "engine/match.h"
#include "engine/rules.h"

namespace velloxa::testing {

// A tile is a letter: 'a' is tile 1, 'b' tile 2, ... Its attacks are four
// digits, up, right, down and left: "e5412 s0030" defines tiles e and s.
struct Tiles : TileRules {
    std::map<int, std::string> attacks;
    std::map<int, int> rarities;
    explicit Tiles(const std::string& defs) {
        std::istringstream in(defs);
        for (std::string d; in >> d;) attacks[d[0] - 'a' + 1] = d.substr(1);
    }
    int attack(int tile, Direction d) const override {
        return attacks.at(tile)[static_cast<size_t>(d)] - '0';
    }
    int rarity(int tile) const override { return rarities.count(tile) ? rarities.at(tile) : 1; }
};

inline int tile(char letter) {
    return (letter | 0x20) - 'a' + 1;
}

// Rows from the top, "a.. .B. ...": upper case the user's, lower case the
// enemy's, '.' an empty spot.
inline MatchState board(const std::string& rows) {
    MatchState m;
    for (int y = 1; y <= 3; ++y)
        for (int x = 1; x <= 3; ++x) {
            const char c = rows[static_cast<size_t>((y - 1) * 4 + x - 1)];
            if (c == '.') continue;
            m.place(Spot{x, y}, tile(c), c < 'a' ? Side::Player : Side::Enemy);
        }
    return m;
}

// Every effect of a drop as a word and a spot: "land 22", "take 21" (or
// "plus 21") and "done 22".
struct Recorded : DropEffects {
    std::string log;
    void add(const char* what, Spot s) {
        log += (log.empty() ? "" : " ") + std::string(what) + " " + std::to_string(s.x) +
               std::to_string(s.y);
    }
    void landed(Spot s) override { add("land", s); }
    void captured(Spot, Spot taken, Side, bool plus) override {
        add(plus ? "plus" : "take", taken);
    }
    void settled(Spot s, Side) override { add("done", s); }
};

}  // namespace velloxa::testing
