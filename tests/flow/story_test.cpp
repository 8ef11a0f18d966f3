// The campaign texts and the content dump that lists them with every tile.
#include "flow/story.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cards/catalogue.h"

namespace velloxa {
namespace {

const char* const kIntroStart[10] = {
    "Face your first opponent.",   "Face your second opponent.", "Face your third opponent.",
    "Face your fourth opponent.",  "Face your fifth opponent.",  "Face your sixth opponent.",
    "Face your seventh opponent.", "Face your eighth opponent.", "Face your ninth opponent.",
    "Face your final opponent.",
};
const std::string kGoBackStart = "Press Enter to go back to face ";
const std::string kGoBackEnd =
    "again.  This is a good way to collect more tiles before facing stronger opponents.";

bool startswith(const std::string& s, const std::string& p) {
    return s.rfind(p, 0) == 0;
}
bool endswith(const std::string& s, const std::string& p) {
    return s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0;
}

// The opponent's description inside an offer to go back.
std::string whom(const std::string& goback) {
    const size_t end = goback.find(" again.");
    if (!startswith(goback, kGoBackStart) || end == std::string::npos) return "";
    return goback.substr(kGoBackStart.size(), end - kGoBackStart.size());
}

TEST(Story, IntroductionsAndTheFinalLine) {
    const auto& story = story_content();
    for (int k = 1; k <= 10; ++k) {
        const std::string intro = story[k - 1].intro;
        EXPECT_TRUE(startswith(intro, std::string(kIntroStart[k - 1]) + "  ")) << intro;
        EXPECT_GT(intro.size(), std::string(kIntroStart[k - 1]).size() + 2) << k;
    }
    EXPECT_STREQ(story[10].intro,
                 "You have defeated all of the Velloxa players.  To exit back to the main menu, "
                 "press Escape.");
}

TEST(Story, CoinFlipLeadInsEndASentence) {
    const auto& story = story_content();
    for (int k = 1; k <= 10; ++k) {
        const std::string lead = story[k - 1].coinflip;
        ASSERT_FALSE(lead.empty()) << k;
        // "  You have been chosen to go first!" follows directly.
        EXPECT_EQ(lead.back(), '.') << k;
        EXPECT_NE(lead.front(), ' ') << k;
    }
    EXPECT_STREQ(story[10].coinflip, "");
}

TEST(Story, OffersToGoBackNameTheEarlierOpponent) {
    const auto& story = story_content();
    EXPECT_STREQ(story[0].goback, "");
    std::set<std::string> described;
    for (int k = 2; k <= 10; ++k) {
        const std::string offer = story[k - 1].goback;
        EXPECT_TRUE(startswith(offer, kGoBackStart)) << offer;
        EXPECT_TRUE(endswith(offer, kGoBackEnd)) << offer;
        const std::string who = whom(offer);
        EXPECT_FALSE(who.empty()) << offer;
        EXPECT_TRUE(described.insert(who).second) << "offered twice: " << who;
    }
    // After the last victory the offer leads back to opponent 10, the one not yet
    // offered, and says that tiles are still to be had.
    const std::string last = story[10].goback;
    EXPECT_TRUE(startswith(last, kGoBackStart)) << last;
    const std::string who = whom(last);
    EXPECT_FALSE(who.empty()) << last;
    EXPECT_FALSE(described.count(who)) << who;
    EXPECT_NE(last.find("defeated"), std::string::npos) << last;
    EXPECT_NE(last.find("tiles"), std::string::npos) << last;
    EXPECT_EQ(last.back(), '.');
}

TEST(Story, TextsAreSpeakableSentences) {
    for (const OpponentStory& s : story_content()) {
        for (const char* text : {s.sofar, s.intro, s.coinflip, s.goback}) {
            const std::string t = text;
            if (t.empty()) continue;
            SCOPED_TRACE(t);
            EXPECT_TRUE(
                std::all_of(t.begin(), t.end(), [](char c) { return c >= ' ' && c <= '~'; }));
            EXPECT_NE(t.front(), ' ');
            EXPECT_NE(t.back(), ' ');
            EXPECT_EQ(t.find("   "), std::string::npos);
            EXPECT_EQ(t.back(), '.');
        }
        EXPECT_STRNE(s.sofar, "");
    }
}

// Splits at tabs, keeping empty fields.
std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        out.push_back(line.substr(start, tab - start));
    out.push_back(line.substr(start));
    return out;
}

TEST(ContentDump, ListsTilesFormerNamesAndStory) {
    const char* binary = std::getenv("VELLOXA_BINARY");
    if (binary == nullptr) GTEST_SKIP() << "VELLOXA_BINARY is not set";
    const std::string command = std::string("'") + binary + "' --dump-content";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) output.append(buf, n);
    const int status = ::pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ASSERT_FALSE(output.empty());
    ASSERT_EQ(output.back(), '\n');
    EXPECT_EQ(output.find('\r'), std::string::npos);

    std::vector<std::vector<std::string>> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) lines.push_back(fields(line));
    ASSERT_EQ(lines.size(), 62u + 2u + 42u);

    size_t n = 0;
    const auto& tiles = tile_content();
    for (int i = 1; i <= 62; ++i, ++n) {
        const auto& f = lines[n];
        const TileContent& t = tiles[i - 1];
        ASSERT_EQ(f.size(), 13u) << "card line " << i;
        EXPECT_EQ(f[0], "card");
        EXPECT_EQ(f[1], std::to_string(i));
        const std::vector<std::string> expected = {t.name,
                                                   t.desc,
                                                   t.collection,
                                                   t.sound,
                                                   t.capture,
                                                   t.enemycapture,
                                                   std::to_string(t.up),
                                                   std::to_string(t.right),
                                                   std::to_string(t.down),
                                                   std::to_string(t.left),
                                                   std::to_string(t.rarity)};
        EXPECT_EQ(std::vector<std::string>(f.begin() + 2, f.end()), expected) << "card " << i;
    }
    const auto& former = former_names();
    for (int j = 0; j < 2; ++j, ++n) {
        EXPECT_EQ(lines[n], (std::vector<std::string>{"former", std::to_string(former[j].index),
                                                      former[j].name}));
    }
    EXPECT_EQ(lines[n - 2][1], "12");
    EXPECT_EQ(lines[n - 1][1], "18");

    const auto& story = story_content();
    for (int k = 1; k <= 11; ++k) {
        const OpponentStory& s = story[k - 1];
        std::vector<std::pair<std::string, std::string>> kinds = {{"sofar", s.sofar},
                                                                  {"intro", s.intro}};
        if (k != 11) kinds.emplace_back("coinflip", s.coinflip);
        if (k != 1) kinds.emplace_back("goback", s.goback);
        for (const auto& [kind, text] : kinds) {
            ASSERT_LT(n, lines.size());
            EXPECT_EQ(lines[n], (std::vector<std::string>{"story", std::to_string(k), kind, text}))
                << "story " << k << " " << kind;
            ++n;
        }
    }
    EXPECT_EQ(n, lines.size());
}

}  // namespace
}  // namespace velloxa
