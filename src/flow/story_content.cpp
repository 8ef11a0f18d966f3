// Placeholder story; the real story replaces it.
#include "flow/story.h"

namespace velloxa {

const std::array<OpponentStory, 11>& story_content() {
    static const std::array<OpponentStory, 11> kStory = {{
        {"The day begins.", "Face your first opponent.  Opponent 1.", "Opponent 1 flips a coin.", ""},
        {"You beat opponent 1.", "Face your second opponent.  Opponent 2.", "Opponent 2 flips a coin.", "Press Enter to go back to face opponent 1 again.  This is a good way to collect more tiles before facing stronger opponents."},
        {"You beat opponent 2.", "Face your third opponent.  Opponent 3.", "Opponent 3 flips a coin.", "Press Enter to go back to face opponent 2 again.  This is a good way to collect more tiles before facing stronger opponents."},
        {"You beat opponent 3.", "Face your fourth opponent.  Opponent 4.", "Opponent 4 flips a coin.", "Press Enter to go back to face opponent 3 again.  This is a good way to collect more tiles before facing stronger opponents."},
        {"You beat opponent 4.", "Face your fifth opponent.  Opponent 5.", "Opponent 5 flips a coin.", "Press Enter to go back to face opponent 4 again.  This is a good way to collect more tiles before facing stronger opponents."},
        {"You beat opponent 5.", "Face your sixth opponent.  Opponent 6.", "Opponent 6 flips a coin.", "Press Enter to go back to face opponent 5 again.  This is a good way to collect more tiles before facing stronger opponents."},
        {"You beat opponent 6.", "Face your seventh opponent.  Opponent 7.", "Opponent 7 flips a coin.", "Press Enter to go back to face opponent 6 again.  This is a good way to collect more tiles before facing stronger opponents."},
        {"You beat opponent 7.", "Face your eighth opponent.  Opponent 8.", "Opponent 8 flips a coin.", "Press Enter to go back to face opponent 7 again.  This is a good way to collect more tiles before facing stronger opponents."},
        {"You beat opponent 8.", "Face your ninth opponent.  Opponent 9.", "Opponent 9 flips a coin.", "Press Enter to go back to face opponent 8 again.  This is a good way to collect more tiles before facing stronger opponents."},
        {"You beat opponent 9.", "Face your final opponent.  Opponent 10.", "Opponent 10 flips a coin.", "Press Enter to go back to face opponent 9 again.  This is a good way to collect more tiles before facing stronger opponents."},
        {"You beat everyone.", "You have defeated all of the Velloxa players.  To exit back to the main menu, press Escape.", "", "Press Enter to go back to face opponent 10 again.  Everyone has been defeated, but more tiles can be stolen."},
    }};
    return kStory;
}

}  // namespace velloxa
