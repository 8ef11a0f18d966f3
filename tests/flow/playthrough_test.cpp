// A campaign played through the key handler alone, from its first key to
// the final scene.
#include <gtest/gtest.h>

#include <algorithm>

#include "flow/story.h"
#include "support/harness.h"

namespace velloxa::testing {
namespace {

// What one battle sounded like, gathered while it was played.
struct Battle {
    Lines spoken;
    int drops = 0;     // summaries opened: one per drop
    int captures = 0;  // their announcements other than the drop itself
    int saves = 0;
    std::string result;
};

// The user drops the tile that captures most at once, on the first spot where it does.
std::string nextmove(const Game& g) {
    const MatchState& m = g.match;
    const Catalogue& c = g.cards;
    int best = -1, bx = 0, by = 0, bslot = 0;
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y)
            for (int s = 1; s <= 5; ++s) {
                const int t = m.hand[1][s];
                if (m.board[x][y] != 0 || t == 0) continue;
                const auto beats = [&](int nx, int ny, int mine, int theirs) {
                    return m.boardowner[nx][ny] == 2 && mine > theirs;
                };
                const int n = beats(x, y - 1, c.cardup[t], c.carddown[m.board[x][y - 1]]) +
                              beats(x + 1, y, c.cardright[t], c.cardleft[m.board[x + 1][y]]) +
                              beats(x, y + 1, c.carddown[t], c.cardup[m.board[x][y + 1]]) +
                              beats(x - 1, y, c.cardleft[t], c.cardright[m.board[x - 1][y]]);
                if (n > best) best = n, bx = x, by = y, bslot = s;
            }
    if (best < 0) return {};
    std::string keys;
    for (int x = m.cursorx; x < bx; ++x) keys += "Right\n";
    for (int x = m.cursorx; x > bx; --x) keys += "Left\n";
    for (int y = m.cursory; y < by; ++y) keys += "Down\n";
    for (int y = m.cursory; y > by; --y) keys += "Up\n";
    return keys + "Shift+" + std::to_string(bslot) + "\n";
}

// Delivers `script`, then plays on until the battle has handed the keys
// back to the challenge or main menu.
Battle play(Harness& h, const std::string& script) {
    Battle b;
    Game& g = *h.game;
    std::string keys = script;
    for (int step = 0; step < 400 && !keys.empty(); ++step) {
        h.take();
        h.keys(keys);
        for (const std::string& l : h.take()) {
            b.saves += l == "save";
            if (!l.starts_with("speak ")) continue;
            b.spoken.push_back(l.substr(6));
            if (l.find("Score was") != std::string::npos) b.result = b.spoken.back();
        }
        if (g.ui.menu == Menu::Summary && g.ui.menuitem == 1) {
            b.drops += 1;
            b.captures += static_cast<int>(g.queue.announcements.size()) - 1;
        }
        keys = g.ui.menu == Menu::Summary                      ? "Enter\n"
               : g.ui.menu == Menu::Board && g.match.turn == 1 ? nextmove(g)
                                                               : "";
    }
    return b;
}

void checkbattle(const Game& g, const Battle& b) {
    const double me = g.match.score[1], them = g.match.score[2];
    const auto n = [](double v) { return std::to_string(static_cast<int>(v)); };
    EXPECT_TRUE(g.match.boardfull());
    EXPECT_EQ(b.drops, 9);
    EXPECT_EQ(me + them, b.captures);  // every capture is announced once and is worth one point
    EXPECT_TRUE(b.result.starts_with(
        me > them   ? "You have won the battle!  Score was " + n(me) + " to " + n(them) + "."
        : me < them ? "You have been defeated!  Score was " + n(them) + " to " + n(me) + "."
                    : "The battle was a draw.  Score was tied " + n(me) + " to " + n(them) + "."))
        << b.result;
}

// The tile reward of a won battle, as spoken and as saved.
void checkreward(Harness& h, const Battle& b) {
    const Game& g = *h.game;
    const std::string prefix =
        "You have stolen a tile from your opponent.  You have now unlocked the ";
    const std::string& said = b.spoken.back();
    ASSERT_TRUE(said.starts_with(prefix) && said.ends_with(" tile!")) << said;
    const std::string stolen = said.substr(prefix.size(), said.size() - prefix.size() - 6);
    const auto& enemy = g.collection.deck[2];
    EXPECT_TRUE(std::any_of(enemy.begin() + 1, enemy.end(),
                            [&](int t) { return g.cards.cardname[t] == stolen; }));
    EXPECT_EQ(b.saves, 2);  // the battle start and the reward
    // Saved with the stolen tile.
    EXPECT_NE(h.home.read("progress.ini").find("\r\n" + stolen + "\r\n"), std::string::npos);
}

// The strongest tiles owned fill the deck, each slot taking the strongest
// one left of its rarity or lower (the deck menu has its own tests).
void bestdeck(Game& g) {
    const Catalogue& c = g.cards;
    auto& deck = g.collection.deck[1];
    deck = {};
    for (int slot = 1; slot <= 5; ++slot)
        for (int i = 1; i <= g.collection.unlockedcount; ++i) {
            const int t = g.collection.unlocked[i];
            const auto strength = [&](int n) {
                return n == 0 ? -1 : c.cardup[n] + c.cardright[n] + c.carddown[n] + c.cardleft[n];
            };
            if (c.cardrarity[t] <= slot && std::find(deck.begin(), deck.end(), t) == deck.end() &&
                strength(t) > strength(deck[slot]))
                deck[slot] = t;
        }
}

TEST(Playthrough, CampaignFromTheFirstKeyToTheFinalScene) {
    Harness h({.script = "", .seed = 77, .headless = {}});
    h.home.addsounds();
    h.start();
    Game& g = *h.game;
    const auto& story = story_content();

    // New game at the easiest level; the challenge menu tells the opening story.
    h.take();
    h.keys("Down\nEnter\nDown\nEnter\nEnter\nEnter\nDown\nEnter\n");
    EXPECT_EQ(h.only("speak ").back(), "speak " + std::string(story[0].sofar));
    ASSERT_EQ(g.ui.difficulty, 1);
    ASSERT_EQ(g.collection.unlockedcount, 5);
    ASSERT_EQ(g.ui.menu, Menu::Challenge);

    int battles = 0, rewards = 0;
    while (g.collection.opponent <= 10 && battles < 400) {
        SCOPED_TRACE(battles);
        const int opponent = g.collection.opponent;
        const int count = g.collection.unlockedcount;
        const Battle b = play(h, "Down\nDown\nEnter\n");
        ++battles;
        ASSERT_NO_FATAL_FAILURE(checkbattle(g, b));
        EXPECT_EQ(g.ui.battlemode, 0);
        EXPECT_EQ(g.ui.menu, Menu::Challenge);
        EXPECT_EQ(g.ui.menuitem, 1);
        if (g.match.score[1] <= g.match.score[2]) {
            // Lost or drawn: the same opponent's story again, nothing gained.
            EXPECT_EQ(b.spoken.back(), story[static_cast<size_t>(opponent - 1)].sofar);
            EXPECT_EQ(g.collection.opponent, opponent);
            EXPECT_EQ(g.collection.unlockedcount, count);
            EXPECT_EQ(b.saves, 1);
            continue;
        }
        EXPECT_EQ(g.collection.opponent, opponent + 1);
        if (g.collection.unlockedcount == count) continue;  // nothing new to steal
        ASSERT_NO_FATAL_FAILURE(checkreward(h, b));
        ++rewards;
        bestdeck(g);
    }
    ASSERT_EQ(g.collection.opponent, 11);
    EXPECT_GE(rewards, 5);

    // All beaten: the final scene, no further battle, and the way back to opponent 10.
    const auto& last = story[10];
    EXPECT_EQ(
        h.said("Up\nDown\nDown\nEnter\nDown\nShift+Enter\n"),
        (Lines{last.sofar, "Configure your deck for battle.", last.intro, last.intro, last.goback,
               "You look at your tiles and decide you should spend more time here "
               "before moving on to stronger opponents."}));
    EXPECT_EQ(g.collection.opponent, 10);
}

}  // namespace
}  // namespace velloxa::testing
