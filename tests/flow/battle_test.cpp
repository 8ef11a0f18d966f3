// A battle as the player hears it: its start and coin flip, and the drop's
// sounds, waits and announcements.
#include <gtest/gtest.h>

#include <algorithm>

#include "flow/story.h"
#include "support/harness.h"

namespace velloxa::testing {
namespace {

const std::string kEmptyBoard = "draw 2 2 0/0 0/0 0/0 0/0 0/0 0/0 0/0 0/0 0/0";

// The built-in tiles with entry i overwritten; `attacks` are up, right,
// down and left.
int define(Catalogue& c, int i, const std::string& name, const std::string& attacks,
           const std::string& sound = "", const std::string& capture = "",
           const std::string& enemy_capture = "") {
    Tile t;
    t.name = name;
    t.sound = sound;
    t.capture = capture;
    t.enemy_capture = enemy_capture;
    t.up = attacks[0] - '0';
    t.right = attacks[1] - '0';
    t.down = attacks[2] - '0';
    t.left = attacks[3] - '0';
    t.rarity = 1;
    c.set(i, t);
    return i;
}

Catalogue builtin() {
    Catalogue c;
    build_catalogue(c);
    return c;
}

void put(MatchState& m, int x, int y, int t, Side owner) {
    m.place(Spot{x, y}, t, owner);
}

// From the key that starts a battle to the enemy's first move: campaign and
// instant battle, each side winning the toss.
TEST(Battle, CoinFlipTranscripts) {
    const std::string user = "You have been chosen to go first!";
    const std::string enemy = "Your opponent has been chosen to go first.";
    const std::string spins = story_content()[1].coin_flip;
    struct Case {
        bool instant;
        Side turn;
        std::string speech, hold;
    };
    const Case cases[] = {{false, Side::Player, "speak " + spins + "  " + user, "hold 1000"},
                          {false, Side::Enemy, "speak " + spins + "  " + enemy, "hold 5000"},
                          {true, Side::Player, "speak   " + user, "hold 1000"},
                          {true, Side::Enemy, "speak   " + enemy, "hold 4000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.speech);
        // Instant action from the main menu, or the third item of the second
        // opponent's challenge menu.
        bool tossed = false;
        for (uint64_t seed = 1; seed < 50 && !tossed; ++seed) {
            const auto h = started_game(c.instant ? "" : progress_file(3, 2), {.seed = seed});
            if (!c.instant) h->keys("Down\nDown\nEnter\nDown\n");
            h->take();
            h->keys(c.instant ? "Down\nDown\nEnter\n" : "Down\nEnter\n");
            const Lines out = h->take();
            const auto save = std::find(out.begin(), out.end(), "save");
            ASSERT_LE(save + 4, out.end());
            if (*(save + 2) != c.speech) continue;  // the other side won this toss
            tossed = true;
            EXPECT_EQ(Lines(save, save + 4), (Lines{"save", kEmptyBoard, c.speech, c.hold}));
            // The enemy moves at once and hands over to the summary menu.
            EXPECT_EQ(save + 4 < out.end(), c.turn == Side::Enemy);
            EXPECT_EQ(h->game->menu(), c.turn == Side::Enemy ? Menu::Summary : Menu::Board);
        }
        EXPECT_TRUE(tossed);
    }
}

// Three sums of 8, the first won by the attack rule; only the capturing
// side's own text counts, and only the user's points are announced.
TEST(Battle, CaptureAnnouncementsOfBothSidesInEveryForm) {
    const std::string text = "Ember scorches $T; $T smoulders.";
    const Lines plain = {"The Slate tile has been captured by * Ember tile.",
                         "Using the Plus rule, the Moss tile has been captured by * Ember tile.",
                         "Using the Plus rule, the Brine tile has been captured by * Ember tile."};
    const Lines own = {"Ember scorches Slate; Slate smoulders.",
                       "Using the Plus rule, Ember scorches Moss; Moss smoulders.",
                       "Using the Plus rule, Ember scorches Brine; Brine smoulders."};
    // The side, and whether the text is given as its own or the other side's.
    for (const auto& [side, own_text] : {std::pair{Side::Player, true},
                                         {Side::Player, false},
                                         {Side::Enemy, true},
                                         {Side::Enemy, false}}) {
        const bool mine = side == Side::Player;
        SCOPED_TRACE(std::string(mine ? "player" : "enemy") + (own_text ? " own" : " other's"));
        const Side other = mine ? Side::Enemy : Side::Player;
        Catalogue tiles = builtin();
        MatchState m;
        put(m, 2, 1, define(tiles, 2, "Slate", "0030"), other);
        put(m, 3, 2, define(tiles, 3, "Moss", "0004"), other);
        put(m, 2, 3, define(tiles, 4, "Brine", "5000"), other);
        const bool players_text = mine == own_text;
        const int ember = define(tiles, 1, "Ember", "5430", "", players_text ? text : "",
                                 players_text ? "" : text);
        const auto h = started_game("", {.tiles = tiles});
        h->game->set_position(m);
        h->game->drop_tile(Spot{2, 2}, ember, side);
        Lines expected;
        for (std::string line : own_text ? own : plain) {
            if (const size_t star = line.find('*'); star != std::string::npos)
                line.replace(star, 1, mine ? "your" : "the enemy's");
            expected.push_back(line + (mine ? "  Point gained." : ""));
        }
        EXPECT_EQ(h->game->announcements(), expected);
    }
}

// Puts another tile on (1, 1) when a key arrives, as a key handled during a
// wait of the drop might.
struct SwapOnKey : EventSink {
    Game& game;
    int tile;
    SwapOnKey(Game& g, int t) : game(g), tile(t) {}
    void on_key(int, int) override {
        MatchState m = game.position();
        m.place(Spot{1, 1}, tile, m.owner_at(Spot{1, 1}));
        game.set_position(m);
    }
    void on_paint() override {}
};

TEST(Battle, SoundsAndWaitsFollowTheTileOnTheSpotAfterEachWait) {
    Catalogue tiles = builtin();
    const int quartz = define(tiles, 2, "Quartz", "0900", "quartz");
    const int slate = define(tiles, 3, "Slate", "0003");
    const int ember = define(tiles, 1, "Ember", "1111");
    const auto h = started_game("", {.seed = 1, .tiles = tiles});
    h->home.write("sounds/tiles/quartz.wav", "");
    MatchState m;
    put(m, 2, 1, slate, Side::Enemy);
    h->game->set_position(m);
    SwapOnKey swap(*h->game, quartz);
    h->host->run(swap);  // from here on keys reach the swapper
    h->host->append(parse_script("+0.1 A\n"));
    Random replay(1);  // the game's generator, not drawn from before the drop
    const std::string first = std::to_string(replay.below(4) + 1),
                      second = std::to_string(replay.below(4) + 1);
    h->take();

    h->game->drop_tile(Spot{1, 1}, ember, Side::Player);

    EXPECT_EQ(h->game->announcements(),
              Lines{"The Slate tile has been captured by your Quartz tile.  Point gained."});
    Lines got;  // without the slot numbers, which follow the sound rotation
    for (const auto& l : h->lines())
        if (l[0] == 'h' || l[0] == 'k' || l[0] == 'd')
            got.push_back(l.substr(0, 4) == "draw" ? "draw" : l);
        else if (l.starts_with("load ") || l.starts_with("pan "))
            got.push_back(l.substr(0, l.find(' ')) + l.substr(l.find(' ', l.find(' ') + 1)));
    const std::string s = "load " + h->home.path() + "/sounds/";
    EXPECT_EQ(got, (Lines{s + "drop" + first + ".wav", "pan -2500", "hold 250", "key 65 0",
                          s + "tiles/quartz.wav", "pan -2500", "hold 500",  // its own sound
                          s + "capture.wav", "pan 0", "hold 250",           // at Slate's spot
                          s + "drop" + second + ".wav", "pan 0", "hold 250", "hold 250", "draw",
                          "draw"}));
}

}  // namespace
}  // namespace velloxa::testing
