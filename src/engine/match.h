// State of one battle and the pacing of its moves.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace velloxa {

struct MatchState {
    // Indexed [x][y] with a ring of index 0 and 4 that always reads empty.
    std::array<std::array<int, 5>, 5> board{};
    std::array<std::array<int, 5>, 5> boardowner{};
    std::array<std::array<int, 6>, 3> hand{};  // [side][slot]
    std::array<double, 3> score{};             // fractions only while simulating
    int turn = 0;
    int cursorx = 0, cursory = 0;
    int handcursor = 0;
    int predicting = 0;
    // True from an accepted drop until its handling ends, so that keys
    // pressed during the drop's waits cannot start a second one.
    bool dropping = false;

    bool boardfull() const {
        for (int x = 1; x <= 3; ++x)
            for (int y = 1; y <= 3; ++y)
                if (board[x][y] == 0) return false;
        return true;
    }
};

// The texts of the latest move, read by the summary menu.
struct AnnouncementQueue {
    std::vector<std::string> list2;
};

// The shared timer behind every wait: interval 0 means no wait is running.
struct Holder {
    int64_t interval = 0;
    int64_t end = 0;
};

}  // namespace velloxa
