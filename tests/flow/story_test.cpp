// The campaign texts and the content dump that lists them with every tile.
#include "flow/story.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "cards/catalogue.h"

namespace velloxa {
namespace {

TEST(Story, FixedBeginningsAndEndingsOfSpeakableSentences) {
    const auto& story = story_content();
    const char* const ordinals[10] = {"first", "second",  "third",  "fourth", "fifth",
                                      "sixth", "seventh", "eighth", "ninth",  "final"};
    const std::string back = "Press Enter to go back to face ";
    const std::string backend =
        " again.  This is a good way to collect more tiles before facing stronger opponents.";
    // The opponent described in an offer to go back.
    const auto whom = [&](const std::string& offer) {
        const size_t end = offer.find(" again.");
        EXPECT_TRUE(offer.starts_with(back) && end != std::string::npos) << offer;
        return end == std::string::npos ? "" : offer.substr(back.size(), end - back.size());
    };
    std::set<std::string> offered;
    for (int k = 1; k <= 10; ++k) {
        const OpponentStory& s = story[k - 1];
        const std::string intro = s.intro, offer = s.goback;
        const std::string head = std::string("Face your ") + ordinals[k - 1] + " opponent.  ";
        EXPECT_TRUE(intro.starts_with(head) && intro.size() > head.size()) << intro;
        // "  You have been chosen to go first!" follows the coin flip's lead-in directly.
        EXPECT_TRUE(std::string(s.coinflip).ends_with(".")) << k;
        if (k == 1) continue;
        EXPECT_TRUE(offer.ends_with(backend)) << offer;
        const std::string who = whom(offer);
        EXPECT_FALSE(who.empty()) << offer;
        EXPECT_TRUE(offered.insert(who).second) << "offered twice: " << who;
    }
    EXPECT_STREQ(story[0].goback, "");
    EXPECT_STREQ(story[10].coinflip, "");
    EXPECT_STREQ(story[10].intro,
                 "You have defeated all of the Velloxa players.  To exit back to the main menu, "
                 "press Escape.");
    // After the last victory the offer leads back to opponent 10, the one not
    // yet offered, and says that tiles are still to be had.
    const std::string last = story[10].goback;
    const std::string who = whom(last);
    EXPECT_FALSE(who.empty() || offered.count(who)) << who;
    EXPECT_NE(last.find("defeated"), std::string::npos) << last;
    EXPECT_NE(last.find("tiles"), std::string::npos) << last;

    for (const OpponentStory& s : story) {
        EXPECT_STRNE(s.sofar, "");
        for (const std::string t : {s.sofar, s.intro, s.coinflip, s.goback}) {
            if (t.empty()) continue;
            EXPECT_TRUE(std::all_of(t.begin(), t.end(), [](char c) {
                return c >= ' ' && c <= '~';
            })) << t;
            EXPECT_TRUE(t.front() != ' ' && t.ends_with(".") && t.find("   ") == t.npos) << t;
        }
    }
}

TEST(ContentDump, ListsTilesFormerNamesAndStory) {
    const char* binary = std::getenv("VELLOXA_BINARY");
    if (binary == nullptr) GTEST_SKIP() << "VELLOXA_BINARY is not set";
    FILE* pipe = ::popen((std::string("'") + binary + "' --dump-content").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) output.append(buf, n);
    const int status = ::pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    // One line per entry, fields split by tabs.
    std::string expected;
    const auto line = [&](std::initializer_list<std::string> fields) {
        std::string l;
        for (const std::string& f : fields) l += (l.empty() ? "" : "\t") + f;
        expected += l + "\n";
    };
    int i = 0;
    for (const TileContent& t : tile_content())
        line({"card", std::to_string(++i), t.name, t.desc, t.collection, t.sound, t.capture,
              t.enemycapture, std::to_string(t.up), std::to_string(t.right), std::to_string(t.down),
              std::to_string(t.left), std::to_string(t.rarity)});
    EXPECT_EQ(i, 62);
    for (const FormerName& f : former_names()) line({"former", std::to_string(f.index), f.name});
    for (int k = 1; k <= 11; ++k) {
        const OpponentStory& s = story_content()[k - 1];
        const std::string n = std::to_string(k);
        line({"story", n, "sofar", s.sofar});
        line({"story", n, "intro", s.intro});
        if (k != 11) line({"story", n, "coinflip", s.coinflip});
        if (k != 1) line({"story", n, "goback", s.goback});
    }
    EXPECT_EQ(output, expected);
}

}  // namespace
}  // namespace velloxa
