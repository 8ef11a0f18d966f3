#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/harness.h"

namespace velloxa::testing {
namespace {

// A started game with sounds present, so that only speech failures are
// logged; the transcript so far is cleared.
struct Started : Harness {
    explicit Started(bool reader = false, bool voice = true)
        : Harness({.script = "", .seed = 1, .headless = {voice, reader, true}}) {
        home.addsounds();
        start();
        take();
    }
    // The new transcript lines without progress file writes.
    Lines next() {
        Lines out;
        for (const auto& l : take())
            if (l != "save") out.push_back(l);
        return out;
    }
};

const std::string kTitle = "title Nebbin's Velloxa (v0.5f)";
const Lines kChord = {"press 17", "press 16", "press 84", "release 17", "release 16", "release 84"};

Lines join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(Speech, RouteCycleWithAndWithoutAScreenReader) {
    Started with(true);
    EXPECT_EQ(with.game->out.speech.readeron, 1);
    for (int i = 0; i < 4; ++i) with.game->nextroute();
    EXPECT_EQ(with.next(), join({{"title NVDA", "title Window eyes support"},
                                 kChord,
                                 {kTitle, "reader Jaws", kTitle, "speak Sapi on"}}));
    // Without a screen reader the step into route 3 falls back to the voice.
    Started without;
    EXPECT_EQ(without.game->out.speech.readeron, 0);
    for (int i = 0; i < 3; ++i) without.game->nextroute();
    EXPECT_EQ(without.next(),
              join({{"title NVDA", "title Window eyes support"},
                    kChord,
                    {kTitle, "speak Jaws does not seem to be responding, Sapi on."}}));
    EXPECT_EQ(without.game->out.speech.speechmode, 0);
}

TEST(Speech, RoutesOutsideTheCycle) {
    Started s;
    Game& g = *s.game;
    // A route 3 from the progress file without a reader fails into the log only.
    g.out.speech.speechmode = 3;
    g.sayit("Hello");
    EXPECT_EQ(s.next(), Lines{"log error in sayit: no screen reader"});
    EXPECT_EQ(s.home.read("debuglog.txt"), "error in sayit: no screen reader\n");
    // Values only an edited file can give speak nothing and count back to 0.
    g.out.speech.speechmode = 7;
    g.sayit("Hello");
    g.out.speech.speechmode = -2;
    g.sayit("Hello");
    g.nextroute();
    EXPECT_TRUE(s.next().empty());
    g.nextroute();
    EXPECT_EQ(s.next(), (Lines{kTitle, "speak Sapi on"}));
}

TEST(Speech, TitleRoutesRepeatTexts) {
    Started s;
    s.game->out.speech.speechmode = 1;
    for (const char* text : {"Same", "Same", "", ""}) s.game->sayit(text);
    EXPECT_EQ(s.next(),
              (Lines{"title Same", "title  Same", "title Same", "title ", "title  ", "title "}));
    s.game->out.speech.speechmode = 2;
    s.game->sayit("Same");
    s.game->sayit("Same");
    EXPECT_EQ(s.next(), join({{"title Same"}, kChord, {"title  Same", "title Same"}, kChord}));
}

TEST(Speech, WithoutVoiceTheTitleSpeaks) {
    Harness h({.script = "", .seed = 1, .headless = {.voice = false}});
    h.start();
    EXPECT_EQ(h.only("title "),
              Lines{"title Welcome to Nebbin's Velloxa, version 0.5f.  Main menu."});
    EXPECT_TRUE(h.only("speak ").empty());
    EXPECT_TRUE(h.only("rate ").empty());
}

// Keeps what the key block showed at every injected key.
struct WatchingKeys : KeyInjector {
    const Game* game = nullptr;
    std::vector<int> blocked;
    void press(int) override { blocked.push_back(game->out.speech.sendingkeys); }
    void release(int) override { blocked.push_back(game->out.speech.sendingkeys); }
};

TEST(Speech, KeysAreBlockedOnlyWhileTheChordIsSent) {
    Harness h;
    WatchingKeys keys;
    const Platform base = h.host->platform();
    Platform p{base.clock, base.window, base.voice,  base.reader,  keys,
               base.sound, base.canvas, base.msgbox, base.process, base.files};
    Game game(p, StartOptions{Folders{h.home.path(), h.home.path()}, 1});
    keys.game = &game;
    game.out.speech.speechmode = 2;
    game.sayit("Chord");
    EXPECT_EQ(keys.blocked, std::vector<int>(6, 1));
    EXPECT_EQ(game.out.speech.sendingkeys, 0);
}

TEST(Speech, RateStaysWithinOneToTen) {
    Started s;
    Game& g = *s.game;
    for (const auto& [from, step] : {std::pair{10.0, 1}, {1.0, -1}, {2.5, 1}}) {
        g.out.speech.sapirate = from;  // 2.5 only from an edited file: spoken as it is
        g.changerate(step);
    }
    EXPECT_EQ(s.next(), (Lines{"rate 10", "speak Sapi rate changed to 10.", "rate 1",
                               "speak Sapi rate changed to 1.", "rate 3",
                               "speak Sapi rate changed to 3.5."}));
}

}  // namespace
}  // namespace velloxa::testing
