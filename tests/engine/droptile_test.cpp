// Capture rules of a single drop: the attack rule, chain drops, the Plus
// rule, the announcements, the pacing and the silent scoring mode.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "engine/ai.h"
#include "support/harness.h"

namespace velloxa {
namespace {

using Lines = std::vector<std::string>;

class Drop : public ::testing::Test {
  protected:
    void SetUp() override {
        h.start();
        m().cursorx = m().cursory = 2;
        h.take();
    }

    Game& g() { return *h.game; }
    MatchState& m() { return h.game->match; }
    Lines& said() { return h.game->queue.announcements; }

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

    // Drops tile t on (2, 2) for `team` with Slate, Moss, Brine and Fen above,
    // right of, below and left of it ("" for an empty spot), and Thorn on
    // (3, 1) where only a chain drop of Slate could take it. All are the
    // other side's unless marked "own".
    void drop(int t, const std::array<std::string, 4>& around, int team = 1) {
        arrange(around, team);
        g().droptile(Spot{2, 2}, t, team);
    }
    void arrange(const std::array<std::string, 4>& around, int team) {
        m().board = m().boardowner = {};
        m().score = {};
        said().clear();
        const char* names[] = {"Slate", "Moss", "Brine", "Fen"};
        const int xs[] = {2, 3, 2, 1}, ys[] = {1, 2, 3, 2};
        for (int d = 0; d < 4; ++d)
            if (!around[d].empty())
                put(xs[d], ys[d], define(d + 2, names[d], around[d]),
                    around[d].size() > 4 ? team : 3 - team);
        put(3, 1, define(6, "Thorn", "0001"), 3 - team);
    }

    Lines only(const Lines& prefixes) const {
        Lines out;
        for (const auto& l : h.lines())
            for (const auto& p : prefixes)
                if (l.rfind(p, 0) == 0) out.push_back(l);
        return out;
    }

    testing::Harness h;
};

TEST_F(Drop, AttackAndPlusRules) {
    struct Rule {
        std::string ember;
        std::array<std::string, 4> around;
        std::string captures;  // in order, "+" marking the Plus rule
    };
    const Rule rules[] = {
        {"5412", {"0030", "0004", "2000", ""}, "Slate"},  // a higher attack wins, an equal one not
        {"3400", {"0950", "0004", "", ""}, "+Slate +Moss"},  // 3 vs 5 and 4 vs 4 sum to 8; no chain
        {"3460", {"0050", "0004", "3000", ""}, "Brine"},     // 8, 8 and 9: Plus is off
        {"0523", {"0000", "0004 own", "4000", "0300"}, "+Brine +Fen"},  // zero sums, own tiles
        {"4999", {"0040", "", "", ""}, ""},  // a lone equal neighbour is left alone
    };
    for (const Rule& r : rules) {
        SCOPED_TRACE(r.ember);
        drop(define(1, "Ember", r.ember), r.around);
        std::string captures;
        for (const auto& l : said()) {
            const bool plus = l.rfind("Using the Plus rule, the ", 0) == 0;
            const size_t at = plus ? 25 : l.rfind("The ", 0) == 0 ? 4 : 0;
            captures += (captures.empty() ? "" : " ") + std::string(plus ? "+" : "") +
                        l.substr(at, l.find(' ', at) - at);
        }
        EXPECT_EQ(captures, r.captures);
        EXPECT_EQ(m().score, (std::array<double, 3>{0, static_cast<double>(said().size()), 0}));
    }
}

// Three sums of 8, the first won by the attack rule: its sum still counts,
// but the tile is not taken a second time.
TEST_F(Drop, AnnouncementsOfBothSidesInEveryForm) {
    const std::string text = "Ember scorches $T; $T smoulders.";
    const Lines yours = {
        "The Slate tile has been captured by your Ember tile.  Point gained.",
        "Using the Plus rule, the Moss tile has been captured by your Ember tile.  Point gained.",
        "Using the Plus rule, the Brine tile has been captured by your Ember tile.  Point gained."};
    const Lines yourtext = {
        "Ember scorches Slate; Slate smoulders.  Point gained.",
        "Using the Plus rule, Ember scorches Moss; Moss smoulders.  Point gained.",
        "Using the Plus rule, Ember scorches Brine; Brine smoulders.  Point gained."};
    const Lines theirs = {
        "The Slate tile has been captured by the enemy's Ember tile.",
        "Using the Plus rule, the Moss tile has been captured by the enemy's Ember tile.",
        "Using the Plus rule, the Brine tile has been captured by the enemy's Ember tile."};
    const Lines theirtext = {"Ember scorches Slate; Slate smoulders.",
                             "Using the Plus rule, Ember scorches Moss; Moss smoulders.",
                             "Using the Plus rule, Ember scorches Brine; Brine smoulders."};
    struct Case {
        int team;
        std::string capture, enemycapture;
        const Lines& expected;
    };
    // Only the capturing side's own text counts.
    const Case cases[] = {{1, "", "", yours},  {1, "", text, yours},  {1, text, "", yourtext},
                          {2, "", "", theirs}, {2, text, "", theirs}, {2, "", text, theirtext}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.team) + " '" + c.capture + "' '" + c.enemycapture + "'");
        const int ember = define(1, "Ember", "5430");
        g().cards.cardcapture[ember] = c.capture;
        g().cards.cardenemycapture[ember] = c.enemycapture;
        drop(ember, {"0030", "0004", "5000", ""}, c.team);
        EXPECT_EQ(said(), c.expected);
        EXPECT_EQ(m().score[c.team], 3);
        EXPECT_EQ(m().score[3 - c.team], 0);
    }
}

TEST_F(Drop, ChainDropRunsWholeBeforeTheNextDirection) {
    put(2, 1, define(2, "Ash", "0720"), 2);
    put(3, 1, define(3, "Birch", "0093"), 2);
    put(3, 2, define(4, "Dune", "1002"), 2);
    Random replay = g().random;

    g().droptile(Spot{2, 2}, define(1, "Ember", "6611"), kUser);

    // Birch was taken by a chain drop, so it never drops again; if it did,
    // its down attack of 9 would take Dune before Ember does.
    EXPECT_EQ(said(),
              (Lines{"The Ash tile has been captured by your Ember tile.  Point gained.",
                     "The Birch tile has been captured by your Ash tile.  Point gained.",
                     "The Dune tile has been captured by your Ember tile.  Point gained."}));
    const std::string ashdone = "draw 2 2 0/0 0/0 0/0 2/1 1/1 0/0 3/1 4/2 0/0",
                      alldone = "draw 2 2 0/0 0/0 0/0 2/1 1/1 0/0 3/1 4/1 0/0";
    EXPECT_EQ(only({"hold ", "draw "}),
              (Lines{"hold 250", "hold 250", "hold 250",           // Ember dropped, takes Ash
                     "hold 250", "hold 250", "hold 250",           // Ash dropped, takes Birch
                     ashdone, "hold 250", "hold 250", "hold 250",  // Ember takes Dune, Dune drops
                     alldone, alldone}));
    // One drop-sound draw for the drop and for each chain drop.
    for (int i = 0; i < 3; ++i) replay.rnd();
    EXPECT_EQ(g().random.next_u64(), replay.next_u64());
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

TEST_F(Drop, SoundsAndWaitsFollowTheTileOnTheSpotAfterEachWait) {
    h.home.addsounds();
    h.home.write("sounds/tiles/quartz.wav", "");
    const int quartz = define(2, "Quartz", "0900", "quartz");
    put(2, 1, define(3, "Slate", "0003"), 2);
    SwapOnKey swap(m(), quartz);
    h.host->run(swap);  // from here on keys reach the swapper
    h.host->append(parsescript("+0.1 A\n"));
    Random replay = g().random;
    const std::string first = std::to_string(replay.below(4) + 1),
                      second = std::to_string(replay.below(4) + 1);

    g().droptile(Spot{1, 1}, define(1, "Ember", "1111"), kUser);

    EXPECT_EQ(said(),
              Lines{"The Slate tile has been captured by your Quartz tile.  Point gained."});
    Lines got;  // without the slot numbers, which follow the sound rotation
    for (const auto& l : only({"load ", "pan ", "hold ", "key "}))
        got.push_back(l[0] == 'h' || l[0] == 'k'
                          ? l
                          : l.substr(0, l.find(' ')) + l.substr(l.find(' ', l.find(' ') + 1)));
    const std::string s = "load " + h.home.path() + "/sounds/";
    EXPECT_EQ(got, (Lines{s + "drop" + first + ".wav", "pan -2500", "hold 250", "key 65 0",
                          s + "tiles/quartz.wav", "pan -2500", "hold 500",  // its own sound
                          s + "capture.wav", "pan 0", "hold 250",           // at Slate's spot
                          s + "drop" + second + ".wav", "pan 0", "hold 250", "hold 250"}));
}

TEST_F(Drop, SimulationIsSilentButCapturesAsRealPlayDoes) {
    // A chain drop of Slate (which takes Thorn) and two Plus captures.
    const int ember = define(1, "Ember", "5431");
    const std::array<std::string, 4> around = {"0630", "0004", "5000", ""};
    drop(ember, around, 2);
    const double real = m().score[2];
    ASSERT_EQ(real, 4);
    ASSERT_EQ(said().size(), 4u);
    h.take();
    Random replay = g().random;

    arrange(around, 2);
    const MatchState before = m();
    const double trial = predictscore(m(), g().cards, Spot{2, 2}, ember, g().random);

    EXPECT_EQ(m().boardowner, before.boardowner);  // the trial ran on a copy
    EXPECT_EQ(m().board, before.board);
    EXPECT_TRUE(said().empty());
    EXPECT_TRUE(h.lines().empty());  // no sound, no wait, no drawing
    // Only the evaluation's hundredths separate the two scores.
    EXPECT_NEAR(trial, real, 0.3);
    // One jitter draw for the drop and one for the chain drop of Slate.
    replay.rnd();
    replay.rnd();
    EXPECT_EQ(g().random.next_u64(), replay.next_u64());
}

TEST_F(Drop, EvaluationAddsItsTermsInOrder) {
    struct Placement {
        int x, y;
        const char* numbers;        // attacks and rarity
        bool neighbours;            // all four neighbours hold tiles
        std::vector<double> terms;  // after the jitter, before the rarity cost
    };
    const Placement cases[] = {
        {1, 1, "17623", false, {0.01 * 5, 0.01 * 5}},    // weak sides to the walls
        {3, 3, "17623", false, {-0.01 * 5, -0.01 * 5}},  // strong sides to the walls
        {1, 1, "62172", false, {-0.01 * 5, -0.01 * 5}},
        {3, 3, "62172", false, {0.01 * 5, 0.01 * 5}},
        {2, 2, "17624", true, {0.01, 0.01}},  // weak left and up next to tiles
        {2, 2, "62174", true, {0.01, 0.01}},  // weak right and down next to tiles
        {2, 2, "62175", false, {}},           // middle, nothing around
        {3, 1, "44441", false, {}},           // balanced tile
    };
    const int kin = define(9, "Kin", "0000");
    for (const Placement& c : cases) {
        SCOPED_TRACE(std::string(c.numbers) + " at " + std::to_string(c.x) + std::to_string(c.y));
        m().board = m().boardowner = {};
        for (int i = 1; c.neighbours && i <= 3; i += 2) {
            put(i, 2, kin, 2);
            put(2, i, kin, 2);
        }
        const int t = define(1, "Ember", c.numbers);
        g().cards.cardrarity[t] = c.numbers[4] - '0';
        m().score[2] = 2;
        Random replay = g().random;
        double expected = 2 + replay.below(9) * 0.01;
        for (double term : c.terms) expected = expected + term;
        expected = expected - 0.02 * g().cards.cardrarity[t];
        EXPECT_EQ(predictscore(m(), g().cards, Spot{c.x, c.y}, t, g().random), expected);
    }
}

}  // namespace
}  // namespace velloxa
