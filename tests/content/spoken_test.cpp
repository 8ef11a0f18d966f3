// The content as the player hears it: texts timed and names transcribed by
// the same espeak-ng English voice the game speaks with.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "cards/catalogue.h"
#include "cards/text.h"
#include "content/heard.h"
#include "flow/story.h"

namespace velloxa {
namespace {

class Spoken : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(voice.ready()) << "espeak-ng cannot start"; }
    Espeak& voice = Espeak::english();
};

// When the opponent goes first, its first drop follows 5 s after the coin
// flip starts and cuts it off; a fifth of a second is left for the audio to
// drain.
TEST_F(Spoken, CoinFlipEndsBeforeTheOpponentMoves) {
    for (int k = 1; k <= 10; ++k) {
        const std::string text = std::string(story_content()[k - 1].coin_flip) +
                                 "  Your opponent has been chosen to go first.";
        const double seconds = voice.seconds(text, slowest_wpm());
        // Above a second: the voice really spoke it.
        EXPECT_TRUE(seconds > 1 && seconds <= 4.8) << seconds << " s for opponent " << k;
    }
}

// Words that carry a captured tile somewhere: it never leaves its spot.
constexpr const char* kCarriedOff[] = {
    "gone",    "vanish",  "away",     "never seen", "off the board", " home",
    " den",    "cart",    "shelf",    "collection", "carries",       "tosses",
    "fetches", "lifts",   "follows",  "hurries",    "runs ",         "walks",
    "across",  "over to", "into the", "scoops",     "seizes",        "snatches"};

// A capture leaves the tile on its spot and turns it to the captor's side (a
// chain drop then captures with it), so the text says where it now belongs,
// names the tile early, and the whole line the summary speaks for a Plus
// capture is over before the player's next key is likely.
TEST_F(Spoken, CaptureTextsTurnTheTileWhereItStands) {
    // The captured tile's name as the slowest of them all to say.
    std::string slowest;
    double longest = 0;
    for (const Tile& t : tile_content())
        if (const double s = voice.seconds(t.name, slowest_wpm()); s > longest)
            longest = s, slowest = t.name;
    for (const Tile& t : tile_content()) {
        using Heard = std::tuple<std::string, const char*, const char*>;  // text, owner, after
        for (const auto& [text, owner, after] :
             {Heard{t.capture, "you", "  Point gained."}, Heard{t.enemy_capture, "enemy", ""}}) {
            if (text.empty()) continue;
            const size_t mark = text.find("$T");
            ASSERT_NE(mark, std::string::npos) << text;
            EXPECT_EQ(text.find("$T", mark + 1), std::string::npos) << "named twice: " << text;
            EXPECT_LT(std::count(text.begin(), text.begin() + static_cast<long>(mark), ' '), 10)
                << "named late: " << text;
            EXPECT_NE(text.find(owner, mark), std::string::npos)
                << "the new side is not said: " << text;
            for (const char* carried : kCarriedOff)
                EXPECT_EQ(text.find(carried), std::string::npos) << carried << ": " << text;
            std::string spoken = text;
            spoken.replace(mark, 2, slowest);
            spoken = "Using the Plus rule, " + spoken + after;
            const double seconds = voice.seconds(spoken, slowest_wpm());
            EXPECT_TRUE(seconds > 1 && seconds <= 6) << seconds << " s: " << spoken;
        }
    }
}

// Quotation marks are spoken aloud by a screen reader that reads punctuation.
TEST_F(Spoken, StoryAndTilesSpeakWithoutQuotationMarks) {
    std::vector<std::string> texts;
    for (const Tile& t : tile_content())
        texts.insert(texts.end(), {t.name, t.description, t.capture, t.enemy_capture});
    for (const OpponentStory& s : story_content())
        texts.insert(texts.end(), {s.so_far, s.intro, s.coin_flip, s.go_back});
    for (const std::string& text : texts) EXPECT_EQ(text.find('"'), std::string::npos) << text;
}

// Insertions, deletions and substitutions that turn one transcription into the other.
size_t edits(const std::u32string& a, const std::u32string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// A player tells tiles apart by ear alone. The pairs heard as alike were at
// most 2 symbols apart in their first words (Reed / Reef, Pebble / Petal,
// Puddle / Pebble, Glider / Glimmer, and rhymes such as Willow / Hollow) or
// shared them outright, or differed in under 40% of the symbols of the whole
// name (Piston Giant / Deepstone Giant 25%, Mudsnout Runt / Mudsnout Elder
// 31%, Ash Marmot / Ash Mammoth 38%). Names plainly told apart start at 3
// symbols and 50%; the limits sit between the two.
TEST_F(Spoken, NoTwoTileNamesSoundAlike) {
    constexpr size_t kFirstWordEdits = 3;
    constexpr double kWholeShare = 0.45;
    struct Heard {
        std::string name;
        std::u32string first, whole;
    };
    std::vector<Heard> heard;
    for (const Tile& t : tile_content()) {
        const std::vector<std::u32string> words = voice.phonemes(t.name);
        ASSERT_FALSE(words.empty()) << t.name;
        Heard h{t.name, words[0], words[0]};
        for (size_t w = 1; w < words.size(); ++w) h.whole += U" " + words[w];
        heard.push_back(h);
    }
    for (size_t i = 0; i < heard.size(); ++i) {
        for (size_t j = 0; j < i; ++j) {
            const Heard &a = heard[i], &b = heard[j];
            EXPECT_GE(edits(a.first, b.first), kFirstWordEdits)
                << a.name << " and " << b.name << " begin alike";
            EXPECT_GE(static_cast<double>(edits(a.whole, b.whole)),
                      kWholeShare * std::max(a.whole.size(), b.whole.size()))
                << a.name << " and " << b.name << " sound alike";
        }
    }
}

}  // namespace
}  // namespace velloxa
