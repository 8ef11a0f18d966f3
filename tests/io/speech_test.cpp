// The four speech routes, the key chord guard and the voice's rate.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/harness.h"

namespace velloxa::testing {
namespace {

// What the player was told since the last look, without keys, sounds and saves.
Lines told(Harness& h) {
    Lines out;
    for (const std::string& l : h.take())
        if (l != "save" && !l.starts_with("key ") && !l.starts_with("play ") &&
            !l.starts_with("load ") && !l.starts_with("volume ") && !l.starts_with("pan "))
            out.push_back(l);
    return out;
}

const std::string kTitle = "title Nebbin's Velloxa (v0.5f)";
const Lines kChord = {"press 17", "press 16", "press 84", "release 17", "release 16", "release 84"};

Lines join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// Tab steps through the routes and back to the voice; without a screen
// reader the step into route 3 falls back to the voice. Where nobody reads
// the title, its two routes are never offered, and a saved title route
// starts on the voice.
TEST(Speech, RouteCycleWithAndWithoutAScreenReaderOrATitleReader) {
    const Lines titles = join({{"title NVDA", "title Window eyes support"}, kChord});
    const Lines reader = {kTitle, "reader Jaws", kTitle, "speak Sapi on"};
    const Lines fallback = {kTitle, "speak Jaws does not seem to be responding, Sapi on."};
    const std::tuple<bool, bool, const char*, Lines> cases[] = {
        {true, true, "Tab\nTab\nTab\nTab\n", join({titles, reader})},
        {false, true, "Tab\nTab\nTab\n", join({titles, fallback})},
        {true, false, "Tab\nTab\n", reader},
        {false, false, "Tab\n", fallback},
    };
    for (const auto& [with_reader, title_read, tabs, expected] : cases) {
        const auto s = started_game(
            "", {.headless = {.screen_reader = with_reader, .title_reader = title_read}});
        s->take();
        s->keys(tabs);
        EXPECT_EQ(told(*s), expected) << tabs;
        EXPECT_TRUE(s->home.read("progress.ini").starts_with("0\r\n")) << "the route is saved";
    }
    for (const char* route : {"1", "2"}) {
        const auto saved = started_game(std::string(route) + "\r\n3\r\n2\r\nsounds\r\n",
                                        {.headless = {.title_reader = false}});
        EXPECT_EQ(saved->only("speak ").at(0),
                  "speak Welcome to Nebbin's Velloxa, version 0.5f.  Main menu.");
    }
}

// Speech on its own, with the voice the headless platform offers.
struct Speaking : Harness {
    Output out{*platform, Folders{home.path(), home.path()}};
    Speaking() { out.create_voice(); }
};

TEST(Speech, TitleRoutesRepeatTexts) {
    Speaking s;
    s.out.set_speech_route(SpeechRoute::WindowTitle);
    for (const char* text : {"Same", "Same", "", ""}) s.out.say(text);
    EXPECT_EQ(s.take(),
              (Lines{"title Same", "title  Same", "title Same", "title ", "title  ", "title "}));
    s.out.set_speech_route(SpeechRoute::TitleAndChord);
    s.out.say("Same");
    s.out.say("Same");
    EXPECT_EQ(s.take(), join({{"title Same"}, kChord, {"title  Same", "title Same"}, kChord}));
}

// Keeps what the key block showed at every injected key.
struct WatchingKeys : KeyInjector {
    const Output* out = nullptr;
    std::vector<bool> blocked;
    void press(int) override { blocked.push_back(out->speech().sending_chord); }
    void release(int) override { blocked.push_back(out->speech().sending_chord); }
};

TEST(Speech, KeysAreBlockedOnlyWhileTheChordIsSent) {
    WatchingKeys keys;
    Harness h({.keys = &keys});
    Output out(*h.platform, Folders{h.home.path(), h.home.path()});
    keys.out = &out;
    out.set_speech_route(SpeechRoute::TitleAndChord);
    out.say("Chord");
    EXPECT_EQ(keys.blocked, std::vector<bool>(6, true));
    EXPECT_FALSE(out.speech().sending_chord);
}

TEST(Speech, RateFromTheFileAndTheKeysStaysWithinOneToTen) {
    // The voice takes the whole part of the rate read.
    EXPECT_EQ(started_game("0\r\n3\r\n3.75\r\nsounds\r\n")->only("rate "),
              (Lines{"rate 2", "rate 3"}));
    // 2.5 only from an edited file: spoken as it is.
    for (const auto& [from, key, said] :
         {std::tuple{"10", "PageUp", "10"}, {"1", "PageDown", "1"}, {"2.5", "PageUp", "3.5"}}) {
        const auto rate = started_game(std::string("0\r\n3\r\n") + from + "\r\nsounds\r\n");
        rate->take();
        rate->keys(std::string(key) + "\n");
        EXPECT_EQ(told(*rate), (Lines{std::string("rate ") + (said[0] == '3' ? "3" : said),
                                      std::string("speak Sapi rate changed to ") + said + "."}));
    }
}

// A screen reader that answers, keeps what it is asked in order, and can be
// given up as speech-dispatcher is.
struct ListeningReader : ScreenReader {
    Lines heard;
    bool lose = false;
    bool connect() override { return true; }
    void say(const std::string& text) override {
        if (std::exchange(lose, false)) throw ScreenReaderLost("gone");
        heard.push_back(text);
    }
    void cancel() override { heard.push_back("(cancel)"); }
};

// A started game on the screen-reader route, whose reader is a ListeningReader.
struct ListeningGame : ::testing::Test {
    ListeningReader reader;
    Harness h;
    void SetUp() override {
        h.use({.reader = &reader});
        h.home.add_sounds();
        h.home.write("progress.ini", "3\r\n3\r\n2\r\nsounds\r\n");
        h.start();
        h.take();
        reader.heard.clear();
    }
};

TEST_F(ListeningGame, EachKeyCancelsTheReaderRouteFirst) {
    h.keys("Down\nUp\nCtrl");
    EXPECT_EQ(reader.heard, (Lines{"(cancel)", "New game", "(cancel)", "Exit", "(cancel)", ""}));
    // Only this route's texts are the reader's to stop: Tab leaves it.
    h.keys("Tab\n");
    reader.heard.clear();
    h.keys("Down");
    EXPECT_TRUE(reader.heard.empty());
}

// Given up mid-game, the reader hands the texts back to the voice and the
// player hears why; Tab then finds no reader, as when none ran at start.
TEST_F(ListeningGame, AReaderGivenUpFallsBackToTheVoice) {
    reader.lose = true;
    h.keys("Down\nUp\n");
    EXPECT_EQ(told(h),
              (Lines{"log error in sayit: gone", kTitle,
                     "speak Jaws does not seem to be responding, Sapi on.", "speak Exit"}));
    EXPECT_FALSE(h.game->output().speech().reader_available);
    EXPECT_EQ(h.game->output().speech().speech_route, SpeechRoute::Voice);
}

}  // namespace
}  // namespace velloxa::testing
