// What a braille display shows of the game's texts, and how every spoken
// text reaches it and the caption whatever the speech route. A display that
// is not there, or goes away, is checked by tests/scripts/desktop_*.sh.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "platform/braille/braille_view.h"
#include "platform/spoken_texts.h"
#include "support/harness.h"

namespace velloxa {
namespace {

TEST(BrailleWindows, BreakAfterWordsAndCutOnlyWordsLongerThanTheDisplay) {
    using W = std::vector<std::wstring>;
    EXPECT_EQ(braille_windows(L"Instant action", 40), W{L"Instant action"});
    EXPECT_EQ(braille_windows(L"You drop a tile onto spot 1, 2.", 12),
              (W{L"You drop a", L"tile onto", L"spot 1, 2."}));
    // The double blank between sentences goes at a break, stays inside a window.
    EXPECT_EQ(braille_windows(L"One.  Two.  Three.", 11), (W{L"One.  Two.", L"Three."}));
    EXPECT_EQ(braille_windows(L"abcdefghij xy", 4), (W{L"abcd", L"efgh", L"ij", L"xy"}));
    EXPECT_EQ(braille_windows(L"   ", 2), W{L""});
    EXPECT_EQ(braille_windows(L"  You go first!", 8), (W{L"You go", L"first!"}));
}

TEST(BrailleWindows, Utf8BecomesCharactersAndBrokenBytesAQuestionMark) {
    EXPECT_EQ(characters_from_utf8("Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x82\xA1"),
              std::wstring(L"Caf\u00E9 \u20AC ") + static_cast<wchar_t>(0x1F0A1));
    EXPECT_EQ(characters_from_utf8("a\xC3"), L"a?");
    EXPECT_EQ(characters_from_utf8("\xE2\x28\xA1z"), L"?(?z");
    EXPECT_EQ(characters_from_utf8("\xFF"), L"?");
}

TEST(BrailleView, NewestShownPanningCrossesTextsLineKeysStepThroughThem) {
    BrailleView view(10);
    EXPECT_EQ(view.shown(), std::wstring(10, L' '));
    EXPECT_FALSE(view.pan(1));
    view.add("Welcome to the game of tiles.");
    view.add("New game");
    EXPECT_EQ(view.shown(), L"New game  ");
    // Step (a line key), pan or jump by one, whether it moved, what is shown.
    const std::tuple<char, int, bool, const wchar_t*> moves[] = {
        {'s', 1, false, L"New game  "},  {'s', -1, true, L"Welcome to"},
        {'p', 1, true, L"the game  "},   {'p', 1, true, L"of tiles. "},
        {'p', 1, true, L"New game  "},   // on into the newer text
        {'p', -1, true, L"of tiles. "},  // back to the older text's last window
        {'j', -1, true, L"Welcome to"},  {'p', -1, false, L"Welcome to"},
        {'s', -1, false, L"Welcome to"}, {'p', 1, true, L"the game  "}};
    for (const auto& [how, by, moved, shown] : moves) {
        EXPECT_EQ(how == 's' ? view.step(by) : how == 'p' ? view.pan(by) : view.jump(by), moved);
        EXPECT_EQ(view.shown(), shown) << how << by;
    }
    // A new text is shown at once from its start, wherever the reader was.
    view.add("Continue the story");
    EXPECT_EQ(view.shown(), L"Continue  ");
}

// The headless platform's voice, absent reader and title underneath.
TEST(HeardTexts, EveryRouteHandsItsTextsOnOnce) {
    testing::Harness h;
    std::vector<std::string> heard;
    const TextListener listen = [&heard](const std::string& text) { heard.push_back(text); };
    HeardVoice voice(*h.host, listen);
    voice.speak("Sapi on", kSpeakInterrupting);
    voice.speak("", kSpeakInterrupting);  // the silence key clears the caption
    HeardReader reader(*h.host, listen);
    EXPECT_THROW(reader.say("Jaws"), std::runtime_error);
    // A title said twice is nudged with a blank first: heard twice, not thrice.
    HeardTitle title(*h.host, listen);
    for (const char* text : {"NVDA", " NVDA", "NVDA", " spaced"}) title.set_title(text);
    EXPECT_EQ(h.lines(), (testing::Lines{"speak Sapi on", "speak ", "title NVDA", "title  NVDA",
                                         "title NVDA", "title  spaced"}));
    EXPECT_EQ(heard, (std::vector<std::string>{"Sapi on", "", "Jaws", "NVDA", "NVDA", " spaced"}));
}

}  // namespace
}  // namespace velloxa
