// A battle as the player hears it: its start and coin flip, and the drop's
// sounds, waits and announcements.
#include <gtest/gtest.h>

#include "support/harness.h"

namespace velloxa::testing {
namespace {

const std::string kEmptyBoard = "draw 2 2 0/0 0/0 0/0 0/0 0/0 0/0 0/0 0/0 0/0";

struct Battle : StartedGame {
    MatchState& m() { return g().match; }
    // Overwrites catalogue entry i; `attacks` are up, right, down and left.
    int define(int i, const std::string& name, const std::string& attacks,
               const std::string& sound = "") {
        Catalogue& c = g().cards;
        c.cardname[i] = name;
        c.cardup[i] = attacks[0] - '0';
        c.cardright[i] = attacks[1] - '0';
        c.carddown[i] = attacks[2] - '0';
        c.cardleft[i] = attacks[3] - '0';
        c.cardrarity[i] = 1;
        c.cardsound[i] = sound;
        c.cardcapture[i] = c.cardenemycapture[i] = "";
        return i;
    }
    void put(int x, int y, int t, int owner) {
        m().board[x][y] = t;
        m().boardowner[x][y] = owner;
    }
};

// From the start routine to the enemy's first move: campaign and instant
// battle, each side winning the toss.
TEST_F(Battle, CoinFlipTranscripts) {
    const std::string user = "You have been chosen to go first!";
    const std::string enemy = "Your opponent has been chosen to go first.";
    struct Case {
        bool instant;
        int turn;
        std::string speech, hold;
    };
    const Case cases[] = {{false, 1, "speak The coin spins.  " + user, "hold 1000"},
                          {false, 2, "speak The coin spins.  " + enemy, "hold 5000"},
                          {true, 1, "speak   " + user, "hold 1000"},
                          {true, 2, "speak   " + enemy, "hold 4000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.speech);
        g().collection.opponent = 2;
        uint64_t seed = 1;
        while (Random(seed).below(2) + 1 != c.turn) ++seed;
        g().random.seed(seed);
        g().ui.menu = c.instant ? Menu::Main : Menu::Challenge;
        h.take();
        g().startusout();
        g().ui.battlemode = c.instant ? 4 : 0;
        g().announcecoinflip(c.instant ? "" : "The coin spins.");
        const Lines out = h.take();
        ASSERT_GE(out.size(), 4u);
        EXPECT_EQ(Lines(out.begin(), out.begin() + 4),
                  (Lines{"save", kEmptyBoard, c.speech, c.hold}));
        // The enemy moves at once and hands over to the summary menu.
        EXPECT_EQ(out.size() > 4, c.turn == 2);
        EXPECT_EQ(g().ui.menu, c.turn == 2 ? Menu::Summary : Menu::Board);
    }
}

// Three sums of 8, the first won by the attack rule; only the capturing
// side's own text counts, and only the user's points are announced.
TEST_F(Battle, CaptureAnnouncementsOfBothSidesInEveryForm) {
    const std::string text = "Ember scorches $T; $T smoulders.";
    const Lines plain = {"The Slate tile has been captured by * Ember tile.",
                         "Using the Plus rule, the Moss tile has been captured by * Ember tile.",
                         "Using the Plus rule, the Brine tile has been captured by * Ember tile."};
    const Lines own = {"Ember scorches Slate; Slate smoulders.",
                       "Using the Plus rule, Ember scorches Moss; Moss smoulders.",
                       "Using the Plus rule, Ember scorches Brine; Brine smoulders."};
    struct Case {
        int side;
        std::string capture, enemycapture;
        bool owntext;
    };
    const Case cases[] = {{1, "", "", false}, {1, "", text, false}, {1, text, "", true},
                          {2, "", "", false}, {2, text, "", false}, {2, "", text, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.side) + " '" + c.capture + "' '" + c.enemycapture + "'");
        m().board = m().boardowner = {};
        put(2, 1, define(2, "Slate", "0030"), 3 - c.side);
        put(3, 2, define(3, "Moss", "0004"), 3 - c.side);
        put(2, 3, define(4, "Brine", "5000"), 3 - c.side);
        const int ember = define(1, "Ember", "5430");
        g().cards.cardcapture[ember] = c.capture;
        g().cards.cardenemycapture[ember] = c.enemycapture;
        g().queue.announcements.clear();
        g().droptile(Spot{2, 2}, ember, c.side);
        Lines expected;
        for (std::string line : c.owntext ? own : plain) {
            if (const size_t star = line.find('*'); star != std::string::npos)
                line.replace(star, 1, c.side == 1 ? "your" : "the enemy's");
            expected.push_back(line + (c.side == 1 ? "  Point gained." : ""));
        }
        EXPECT_EQ(g().queue.announcements, expected);
    }
}

// Puts another tile on (1, 1) when a key arrives, as a key handled during a
// wait of the drop might.
struct SwapOnKey : EventSink {
    MatchState& m;
    int tile;
    SwapOnKey(MatchState& match, int t) : m(match), tile(t) {}
    void on_key(int, int) override { m.board[1][1] = tile; }
    void on_paint() override {}
};

TEST_F(Battle, SoundsAndWaitsFollowTheTileOnTheSpotAfterEachWait) {
    h.home.write("sounds/tiles/quartz.wav", "");
    const int quartz = define(2, "Quartz", "0900", "quartz");
    put(2, 1, define(3, "Slate", "0003"), 2);
    SwapOnKey swap(m(), quartz);
    h.host->run(swap);  // from here on keys reach the swapper
    h.host->append(parsescript("+0.1 A\n"));
    Random replay = g().random;
    const std::string first = std::to_string(replay.below(4) + 1),
                      second = std::to_string(replay.below(4) + 1);
    h.take();
    g().queue.announcements.clear();

    g().droptile(Spot{1, 1}, define(1, "Ember", "1111"), kUser);

    EXPECT_EQ(g().queue.announcements,
              Lines{"The Slate tile has been captured by your Quartz tile.  Point gained."});
    Lines got;  // without the slot numbers, which follow the sound rotation
    for (const auto& l : h.lines())
        if (l[0] == 'h' || l[0] == 'k' || l[0] == 'd')
            got.push_back(l.substr(0, 4) == "draw" ? "draw" : l);
        else if (l.starts_with("load ") || l.starts_with("pan "))
            got.push_back(l.substr(0, l.find(' ')) + l.substr(l.find(' ', l.find(' ') + 1)));
    const std::string s = "load " + h.home.path() + "/sounds/";
    EXPECT_EQ(got, (Lines{s + "drop" + first + ".wav", "pan -2500", "hold 250", "key 65 0",
                          s + "tiles/quartz.wav", "pan -2500", "hold 500",  // its own sound
                          s + "capture.wav", "pan 0", "hold 250",           // at Slate's spot
                          s + "drop" + second + ".wav", "pan 0", "hold 250", "hold 250", "draw",
                          "draw"}));
}

}  // namespace
}  // namespace velloxa::testing
