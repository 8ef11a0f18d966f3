// The state of one battle, free of any input or output: it can be copied and
// played forward, which is how the computer opponent tries its drops.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace velloxa {

// Sides of a battle; also the owner of a spot and whose move it is.
constexpr int kNobody = 0;
constexpr int kUser = 1;
constexpr int kEnemy = 2;

// A spot on the board, column x and row y, each 1 to 3.
struct Spot {
    int x = 0, y = 0;
};

// A tile placed from a hand, or a captured tile dropped again by its new
// owner (which captures further but starts no chain of its own).
enum class Drop { Placed, Chained };

struct MatchState {
    // Indexed [x][y] with a ring of index 0 and 4 that always reads empty.
    std::array<std::array<int, 5>, 5> board{};
    std::array<std::array<int, 5>, 5> board_owner{};
    std::array<std::array<int, 6>, 3> hand{};  // [side][slot]
    std::array<double, 3> score{};             // fractions only in the opponent's trials
    int turn = kNobody;
    int cursor_x = 0, cursor_y = 0;
    int hand_cursor = 0;
    // True from an accepted drop until its handling ends, so that keys
    // pressed during the drop's waits cannot start a second one.
    bool dropping = false;

    bool board_full() const {
        for (int x = 1; x <= 3; ++x)
            for (int y = 1; y <= 3; ++y)
                if (board[x][y] == 0) return false;
        return true;
    }
};

// The texts of the latest move, read by the summary menu.
struct AnnouncementQueue {
    std::vector<std::string> announcements;
};

// The attacks and rarity of every tile kind, as the rules need them.
enum class Direction { Up, Right, Down, Left };

class TileRules {
  public:
    virtual ~TileRules() = default;
    virtual int attack(int tile, Direction toward) const = 0;
    virtual int rarity(int tile) const = 0;
};

}  // namespace velloxa
