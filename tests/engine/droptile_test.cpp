// Capture rules of a single drop: the attack rule, chain drops, the Plus
// rule, the announcements, the pacing and the silent scoring mode.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "support/harness.h"

namespace velloxa {
namespace {

using testing::Harness;

struct TileSpec {
    std::string name{};
    int up = 0, right = 0, down = 0, left = 0;
    int rarity = 1;
    std::string sound{}, capture{}, enemycapture{};
};

class Drop : public ::testing::Test {
  protected:
    void SetUp() override {
        h.start();
        game().match.cursorx = 2;
        game().match.cursory = 2;
        h.take();
    }

    Game& game() { return *h.game; }
    MatchState& m() { return h.game->match; }

    // Overwrites catalogue entry `index` so each test controls its tiles.
    int define(int index, const TileSpec& s) {
        Catalogue& c = game().cards;
        c.cardname[index] = s.name;
        c.cardup[index] = s.up;
        c.cardright[index] = s.right;
        c.carddown[index] = s.down;
        c.cardleft[index] = s.left;
        c.cardrarity[index] = s.rarity;
        c.cardsound[index] = s.sound;
        c.cardcapture[index] = s.capture;
        c.cardenemycapture[index] = s.enemycapture;
        return index;
    }

    void put(int x, int y, int t, int owner) {
        m().board[x][y] = t;
        m().boardowner[x][y] = owner;
    }

    // The pacing of a move: its waits and redraws.
    std::vector<std::string> paced() const {
        std::vector<std::string> out;
        for (const auto& l : h.lines())
            if (l.rfind("hold ", 0) == 0 || l.rfind("draw ", 0) == 0) out.push_back(l);
        return out;
    }

    std::vector<std::string>& queue() { return game().queue.list2; }

    Harness h;
};

using Lines = std::vector<std::string>;

// ---- attack rule

TEST_F(Drop, HigherAttackCapturesEqualAttackDoesNot) {
    const int ember = define(1, {.name = "Ember", .up = 5, .right = 4, .down = 1, .left = 2});
    const int slate = define(2, {.name = "Slate", .down = 3});
    const int moss = define(3, {.name = "Moss", .left = 4});
    const int brine = define(4, {.name = "Brine", .up = 2});
    put(2, 1, slate, 2);
    put(3, 2, moss, 2);
    put(2, 3, brine, 2);

    game().droptile(2, 2, ember, 1, 0);

    EXPECT_EQ(m().boardowner[2][1], 1);
    EXPECT_EQ(m().boardowner[3][2], 2);  // 4 against 4
    EXPECT_EQ(m().boardowner[2][3], 2);
    EXPECT_EQ(m().score[1], 1);
    EXPECT_EQ(m().score[2], 0);
    EXPECT_EQ(queue(),
              Lines{"The Slate tile has been captured by your Ember tile.  Point gained."});
    // Drop, silent tile, capture, then the captured tile's own drop.
    EXPECT_EQ(paced(), (Lines{"hold 250", "hold 250", "hold 250", "hold 250", "hold 250",
                              "draw 2 2 0/0 0/0 0/0 2/1 1/1 4/2 0/0 3/2 0/0",
                              "draw 2 2 0/0 0/0 0/0 2/1 1/1 4/2 0/0 3/2 0/0"}));
}

TEST_F(Drop, NoOpposingNeighbourOnlyPlacesAndPaces) {
    const int ember =
        define(1, {.name = "Ember", .up = 9, .right = 9, .down = 9, .left = 9, .sound = "ember"});
    const int slate = define(2, {.name = "Slate"});
    put(1, 2, slate, 1);  // own tile: never attacked
    queue() = {"You drop Ember onto spot 2, 2."};

    game().droptile(2, 2, ember, 1, 0);

    EXPECT_EQ(m().boardowner[1][2], 1);
    EXPECT_EQ(m().score[1], 0);
    EXPECT_EQ(queue(), Lines{"You drop Ember onto spot 2, 2."});
    EXPECT_EQ(paced(),
              (Lines{"hold 250", "hold 500", "draw 2 2 0/0 2/1 0/0 0/0 1/1 0/0 0/0 0/0 0/0"}));
}

// ---- chain drops

TEST_F(Drop, ChainDropRunsWholeBeforeTheNextDirection) {
    const int ember = define(1, {.name = "Ember", .up = 6, .right = 6, .down = 1, .left = 1});
    const int ash = define(2, {.name = "Ash", .right = 7, .down = 2});
    const int birch = define(3, {.name = "Birch", .down = 9, .left = 3});
    const int dune = define(4, {.name = "Dune", .up = 1, .left = 2});
    put(2, 1, ash, 2);
    put(3, 1, birch, 2);
    put(3, 2, dune, 2);
    const Random before = game().random;

    game().droptile(2, 2, ember, 1, 0);

    // Birch was taken by a chain drop, so it never drops again; if it did,
    // its down attack of 9 would take Dune before Ember does.
    EXPECT_EQ(queue(),
              (Lines{"The Ash tile has been captured by your Ember tile.  Point gained.",
                     "The Birch tile has been captured by your Ash tile.  Point gained.",
                     "The Dune tile has been captured by your Ember tile.  Point gained."}));
    EXPECT_EQ(m().score[1], 3);
    EXPECT_EQ(paced(), (Lines{"hold 250", "hold 250", "hold 250",  // Ember, capture of Ash
                              "hold 250", "hold 250", "hold 250",  // Ash dropped, takes Birch
                              "draw 2 2 0/0 0/0 0/0 2/1 1/1 0/0 3/1 4/2 0/0", "hold 250",
                              "hold 250", "hold 250",  // capture of Dune, Dune dropped
                              "draw 2 2 0/0 0/0 0/0 2/1 1/1 0/0 3/1 4/1 0/0",
                              "draw 2 2 0/0 0/0 0/0 2/1 1/1 0/0 3/1 4/1 0/0"}));
    // One drop-sound draw for the drop and for each chain drop.
    Random expected = before;
    for (int i = 0; i < 3; ++i) expected.rnd();
    EXPECT_EQ(game().random.next_u64(), expected.next_u64());
}

// ---- Plus rule

TEST_F(Drop, PlusTakesEqualSumsThatTheAttackRuleLeaves) {
    // Up 3 against 5 and right 4 against 4: neither loses, both sum to 8.
    const int ember = define(1, {.name = "Ember", .up = 3, .right = 4});
    const int slate = define(2, {.name = "Slate", .right = 9, .down = 5});
    const int moss = define(3, {.name = "Moss", .left = 4});
    const int thorn = define(4, {.name = "Thorn", .left = 1});
    put(2, 1, slate, 2);
    put(3, 2, moss, 2);
    put(3, 1, thorn, 2);  // Slate would take it, but a Plus capture starts no chain drop

    game().droptile(2, 2, ember, 1, 0);

    EXPECT_EQ(queue(),
              (Lines{"Using the Plus rule, the Slate tile has been captured by your Ember tile.  "
                     "Point gained.",
                     "Using the Plus rule, the Moss tile has been captured by your Ember tile.  "
                     "Point gained."}));
    EXPECT_EQ(m().score[1], 2);
    EXPECT_EQ(m().boardowner[3][1], 2);
    EXPECT_EQ(paced(), (Lines{"hold 250", "hold 250", "hold 250", "hold 250",
                              "draw 2 2 0/0 0/0 0/0 2/1 1/1 0/0 4/2 3/1 0/0"}));
}

TEST_F(Drop, OneDifferingSumSwitchesPlusOffForTheWholeDrop) {
    // Sums 8, 8 and 9; the 9 is won outright by the attack rule.
    const int ember = define(1, {.name = "Ember", .up = 3, .right = 4, .down = 6});
    const int slate = define(2, {.name = "Slate", .down = 5});
    const int moss = define(3, {.name = "Moss", .left = 4});
    const int brine = define(4, {.name = "Brine", .up = 3});
    put(2, 1, slate, 2);
    put(3, 2, moss, 2);
    put(2, 3, brine, 2);

    game().droptile(2, 2, ember, 1, 0);

    EXPECT_EQ(queue(),
              Lines{"The Brine tile has been captured by your Ember tile.  Point gained."});
    EXPECT_EQ(m().score[1], 1);
    EXPECT_EQ(m().boardowner[2][1], 2);
    EXPECT_EQ(m().boardowner[3][2], 2);
}

TEST_F(Drop, SumOfATileTakenByAttackCountsButIsNotTakenTwice) {
    // Three sums of 8: up won by the attack rule, right and down by Plus.
    const int ember = define(1, {.name = "Ember", .up = 5, .right = 4, .down = 3});
    const int slate = define(2, {.name = "Slate", .down = 3});
    const int moss = define(3, {.name = "Moss", .left = 4});
    const int brine = define(4, {.name = "Brine", .up = 5});
    put(2, 1, slate, 2);
    put(3, 2, moss, 2);
    put(2, 3, brine, 2);

    game().droptile(2, 2, ember, 1, 0);

    EXPECT_EQ(queue(),
              (Lines{"The Slate tile has been captured by your Ember tile.  Point gained.",
                     "Using the Plus rule, the Moss tile has been captured by your Ember tile.  "
                     "Point gained.",
                     "Using the Plus rule, the Brine tile has been captured by your Ember tile.  "
                     "Point gained."}));
    EXPECT_EQ(m().score[1], 3);
}

TEST_F(Drop, ZeroSumsAndOwnTilesTakeNoPartInPlus) {
    const int ember = define(1, {.name = "Ember", .up = 0, .right = 5, .down = 2, .left = 3});
    put(2, 1, define(2, {.name = "Hollow"}), 2);          // 0 against 0
    put(3, 2, define(3, {.name = "Kin", .left = 4}), 1);  // own: a sum of 9 would switch Plus off
    put(2, 3, define(4, {.name = "Brine", .up = 4}), 2);
    put(1, 2, define(5, {.name = "Fen", .right = 3}), 2);

    game().droptile(2, 2, ember, 1, 0);

    EXPECT_EQ(m().boardowner[2][1], 2);
    EXPECT_EQ(m().boardowner[2][3], 1);
    EXPECT_EQ(m().boardowner[1][2], 1);
    EXPECT_EQ(m().score[1], 2);
}

TEST_F(Drop, LoneEqualNeighbourIsLeftAlone) {
    const int ember = define(1, {.name = "Ember", .up = 4, .right = 9, .down = 9, .left = 9});
    put(2, 1, define(2, {.name = "Mire", .down = 4}), 2);

    game().droptile(2, 2, ember, 1, 0);

    EXPECT_EQ(m().boardowner[2][1], 2);
    EXPECT_EQ(m().score[1], 0);
    EXPECT_TRUE(queue().empty());
}

// ---- announcements

struct Texts {
    int team;
    std::string capture, enemycapture;
    Lines expected;
};

TEST_F(Drop, AnnouncementsOfBothSidesInEveryForm) {
    const std::string own = "Ember scorches $T; $T smoulders.";
    const std::vector<Texts> cases = {
        {1,
         "",
         "",
         {"The Slate tile has been captured by your Ember tile.  Point gained.",
          "Using the Plus rule, the Moss tile has been captured by your Ember tile.  Point gained.",
          "Using the Plus rule, the Brine tile has been captured by your Ember tile.  Point "
          "gained."}},
        {1,
         "",
         own,
         {"The Slate tile has been captured by your Ember tile.  Point gained.",
          "Using the Plus rule, the Moss tile has been captured by your Ember tile.  Point gained.",
          "Using the Plus rule, the Brine tile has been captured by your Ember tile.  Point "
          "gained."}},
        {1,
         own,
         "",
         {"Ember scorches Slate; Slate smoulders.  Point gained.",
          "Using the Plus rule, Ember scorches Moss; Moss smoulders.  Point gained.",
          "Using the Plus rule, Ember scorches Brine; Brine smoulders.  Point gained."}},
        {2,
         "",
         "",
         {"The Slate tile has been captured by the enemy's Ember tile.",
          "Using the Plus rule, the Moss tile has been captured by the enemy's Ember tile.",
          "Using the Plus rule, the Brine tile has been captured by the enemy's Ember tile."}},
        {2,
         own,
         "",
         {"The Slate tile has been captured by the enemy's Ember tile.",
          "Using the Plus rule, the Moss tile has been captured by the enemy's Ember tile.",
          "Using the Plus rule, the Brine tile has been captured by the enemy's Ember tile."}},
        {2,
         "",
         own,
         {"Ember scorches Slate; Slate smoulders.",
          "Using the Plus rule, Ember scorches Moss; Moss smoulders.",
          "Using the Plus rule, Ember scorches Brine; Brine smoulders."}},
    };
    for (const Texts& c : cases) {
        SCOPED_TRACE("side " + std::to_string(c.team) + " capture '" + c.capture + "' enemy '" +
                     c.enemycapture + "'");
        const int ember = define(1, {.name = "Ember",
                                     .up = 5,
                                     .right = 4,
                                     .down = 3,
                                     .capture = c.capture,
                                     .enemycapture = c.enemycapture});
        const int other = 3 - c.team;
        put(2, 2, 0, 0);
        put(2, 1, define(2, {.name = "Slate", .down = 3}), other);
        put(3, 2, define(3, {.name = "Moss", .left = 4}), other);
        put(2, 3, define(4, {.name = "Brine", .up = 5}), other);
        m().score = {0, 0, 0};
        queue().clear();

        game().droptile(2, 2, ember, c.team, 0);

        EXPECT_EQ(queue(), c.expected);
        EXPECT_EQ(m().score[c.team], 3);
        EXPECT_EQ(m().score[other], 0);
        if (c.team == 2) {
            for (const auto& text : queue())
                EXPECT_EQ(text.find("Point gained."), std::string::npos);
        }
    }
}

// ---- live state and sounds

// Changes the tile on a spot when a key arrives, as a key handled during a
// wait of the drop might.
struct SwapOnKey : EventSink {
    Game& g;
    int x, y, tile;
    SwapOnKey(Game& game, int sx, int sy, int t) : g(game), x(sx), y(sy), tile(t) {}
    void on_key(int, int) override { g.match.board[x][y] = tile; }
    void on_paint() override {}
};

TEST_F(Drop, TileOnTheSpotIsReadAfreshAfterEachWait) {
    const int ember = define(1, {.name = "Ember", .up = 1, .right = 1, .down = 1, .left = 1});
    const int quartz = define(2, {.name = "Quartz", .up = 9, .sound = "quartz"});
    put(2, 1, define(3, {.name = "Slate", .down = 3}), 2);
    SwapOnKey swap(game(), 2, 2, quartz);
    h.host->run(swap);  // from here on keys reach the swapper
    h.host->append(parsescript("+0.1 A\n"));

    game().droptile(2, 2, ember, 1, 0);

    EXPECT_EQ(m().board[2][2], quartz);
    EXPECT_EQ(queue(),
              Lines{"The Slate tile has been captured by your Quartz tile.  Point gained."});
    Lines waits;
    for (const auto& l : h.lines())
        if (l.rfind("hold ", 0) == 0 || l.rfind("key ", 0) == 0) waits.push_back(l);
    // Quartz has a sound of its own, so the second wait is the long one.
    EXPECT_EQ(waits,
              (Lines{"hold 250", "key 65 0", "hold 500", "hold 250", "hold 250", "hold 250"}));
}

// Slot numbers depend on the sound rotation; the paths, levels and pacing
// are what a drop decides.
Lines soundandwaits(const Lines& lines) {
    Lines out;
    for (const auto& l : lines) {
        for (const std::string k : {"load ", "volume ", "pan ", "play "})
            if (l.rfind(k, 0) == 0) out.push_back(k + l.substr(l.find(' ', k.size()) + 1));
        if (l.rfind("hold ", 0) == 0) out.push_back(l);
    }
    return out;
}

TEST_F(Drop, SoundsArePlacedByTheSpotAndPacedByWaits) {
    h.home.addsounds();
    h.home.write("sounds/tiles/ember.wav", "");
    const int ember = define(1, {.name = "Ember", .right = 5, .sound = "ember"});
    put(2, 1, define(2, {.name = "Slate", .left = 1}), 2);
    Random replay = game().random;
    const int first = replay.below(4) + 1, second = replay.below(4) + 1;

    game().droptile(1, 1, ember, 1, 0);

    const std::string sounds = h.home.path() + "/sounds/";
    Lines expected = {"load " + sounds + "drop" + std::to_string(first) + ".wav",
                      "volume -2000",
                      "pan -2500",
                      "play 0",
                      "hold 250",
                      "load " + sounds + "tiles/ember.wav",
                      "volume -2000",
                      "pan -2500",
                      "play 0",
                      "hold 500",
                      "load " + sounds + "capture.wav",
                      "volume -2000",
                      "pan 0",
                      "play 0",
                      "hold 250",
                      "load " + sounds + "drop" + std::to_string(second) + ".wav",
                      "volume -2000",
                      "pan 0",
                      "play 0",
                      "hold 250",
                      "hold 250"};
    const Lines got = soundandwaits(h.lines());
    bool playing = false;
    for (const auto& l : got) playing = playing || l.rfind("load ", 0) == 0;
    if (!playing) {  // sound output not in place yet: the pacing alone must match
        Lines waits;
        for (const auto& l : expected)
            if (l.rfind("hold ", 0) == 0) waits.push_back(l);
        expected = waits;
    }
    EXPECT_EQ(got, expected);
}

// ---- simulation

TEST_F(Drop, SimulationIsSilentButCapturesAsRealPlayDoes) {
    // A chain drop and two Plus captures in one move.
    auto layout = [this] {
        define(1, {.name = "Ember", .up = 5, .right = 4, .down = 3, .left = 1});
        define(2, {.name = "Slate", .right = 6, .down = 3});
        define(3, {.name = "Moss", .left = 4});
        define(4, {.name = "Brine", .up = 5});
        define(5, {.name = "Thorn", .left = 2});
        for (int x = 1; x <= 3; ++x)
            for (int y = 1; y <= 3; ++y) put(x, y, 0, 0);
        put(2, 1, 2, 1);
        put(3, 2, 3, 1);
        put(2, 3, 4, 1);
        put(3, 1, 5, 1);
        m().score = {0, 0, 0};
        queue().clear();
    };
    layout();
    game().droptile(2, 2, 1, 2, 0);
    const auto owners = m().boardowner;
    const double real = m().score[2];
    ASSERT_EQ(real, 4);
    ASSERT_EQ(queue().size(), 4u);
    h.take();

    layout();
    const Random before = game().random;
    m().predicting = 1;
    game().droptile(2, 2, 1, 2, 0);

    EXPECT_EQ(m().boardowner, owners);
    EXPECT_TRUE(queue().empty());
    EXPECT_TRUE(h.lines().empty());  // no sound, no wait, no drawing
    // Only the evaluation's hundredths separate the two scores.
    EXPECT_NEAR(m().score[2], real, 0.3);
    // One jitter draw for the drop and one for the chain drop of Slate.
    Random expected = before;
    expected.rnd();
    expected.rnd();
    EXPECT_EQ(game().random.next_u64(), expected.next_u64());
}

struct Placement {
    int x, y;
    int up, right, down, left, rarity;
    bool neighbours;            // all four neighbours hold own tiles
    std::vector<double> terms;  // the evaluation terms after the jitter, in order
};

TEST_F(Drop, EvaluationAddsItsTermsInOrder) {
    const std::vector<Placement> cases = {
        {1, 1, 1, 7, 6, 2, 3, false, {+0.01 * 5, +0.01 * 5}},  // weak sides to the walls
        {3, 3, 1, 7, 6, 2, 3, false, {-0.01 * 5, -0.01 * 5}},  // strong sides to the walls
        {1, 1, 6, 2, 1, 7, 2, false, {-0.01 * 5, -0.01 * 5}},
        {3, 3, 6, 2, 1, 7, 2, false, {+0.01 * 5, +0.01 * 5}},
        {2, 2, 1, 7, 6, 2, 4, true, {+0.01, +0.01}},  // weak left and up to tiles
        {2, 2, 6, 2, 1, 7, 4, true, {+0.01, +0.01}},  // weak right and down to tiles
        {2, 2, 6, 2, 1, 7, 5, false, {}},             // middle, nothing around
        {3, 1, 4, 4, 4, 4, 1, false, {}},             // balanced tile
    };
    const int kin = define(9, {.name = "Kin"});
    for (const Placement& c : cases) {
        SCOPED_TRACE("spot " + std::to_string(c.x) + "," + std::to_string(c.y));
        for (int x = 1; x <= 3; ++x)
            for (int y = 1; y <= 3; ++y) put(x, y, 0, 0);
        if (c.neighbours)
            for (auto [x, y] :
                 std::initializer_list<std::pair<int, int>>{{2, 1}, {3, 2}, {2, 3}, {1, 2}})
                put(x, y, kin, 2);
        const int t = define(1, {.name = "Ember",
                                 .up = c.up,
                                 .right = c.right,
                                 .down = c.down,
                                 .left = c.left,
                                 .rarity = c.rarity});
        m().score = {0, 0, 2};
        Random replay = game().random;
        double expected = 2;
        expected = expected + replay.below(9) * 0.01;
        for (double term : c.terms) expected = term > 0 ? expected + term : expected - (-term);
        expected = expected - 0.02 * c.rarity;

        m().predicting = 1;
        game().droptile(c.x, c.y, t, 2, 0);
        m().predicting = 0;

        EXPECT_EQ(m().score[2], expected);
    }
}

}  // namespace
}  // namespace velloxa
