// The campaign's story texts.
#pragma once

#include <array>

namespace velloxa {

// The four texts told for one value of the campaign position.
struct OpponentStory {
    const char* so_far;     // challenge item 1
    const char* intro;      // challenge item 3, other keys
    const char* coin_flip;  // challenge item 3, Enter: the lead-in of the coin flip (none for 11)
    const char* go_back;    // challenge item 4 (none for 1)
};

// Positions 1 to 11 at indices 0 to 10.
const std::array<OpponentStory, 11>& story_content();

}  // namespace velloxa
