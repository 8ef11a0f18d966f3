// The campaign texts: what each opponent's texts must say, and that they
// can be spoken.
#include "flow/story.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace velloxa {
namespace {

TEST(Story, EveryOpponentIsNamedInOrderAndOfferedBackOnce) {
    const auto& story = story_content();
    const char* const ordinals[10] = {"first", "second",  "third",  "fourth", "fifth",
                                      "sixth", "seventh", "eighth", "ninth",  "final"};
    const std::string back = "Press Enter to go back to face ";
    // The opponent an offer to go back leads to.
    const auto whom = [&](const std::string& offer) {
        const size_t end = offer.find(" again.");
        EXPECT_TRUE(offer.starts_with(back) && end != std::string::npos) << offer;
        return end == std::string::npos ? "" : offer.substr(back.size(), end - back.size());
    };
    std::set<std::string> offered;
    for (size_t k = 1; k <= 11; ++k) {
        const OpponentStory& s = story[k - 1];
        const std::string head = k <= 10 ? std::string("Face your ") + ordinals[k - 1] : "";
        EXPECT_TRUE(std::string(s.intro).starts_with(head + " opponent.  ") || k == 11) << s.intro;
        // The last offer leads back to opponent 10, the one not offered yet.
        EXPECT_TRUE(k == 1 || offered.insert(whom(s.goback)).second) << s.goback;
        for (const std::string t : {s.sofar, s.intro, s.coinflip, s.goback}) {
            if (t.empty()) continue;
            // "  You have been chosen to go first!" follows the coin flip's lead-in.
            EXPECT_TRUE(std::all_of(t.begin(), t.end(), [](char c) {
                return c >= ' ' && c <= '~';
            })) << t;
            EXPECT_TRUE(t.front() != ' ' && t.ends_with(".") && t.find("   ") == t.npos) << t;
        }
    }
    EXPECT_EQ(offered.size(), 10u);
    EXPECT_STREQ(story[0].goback, "");
    EXPECT_STREQ(story[10].coinflip, "");
}

}  // namespace
}  // namespace velloxa
