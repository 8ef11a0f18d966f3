// Whole battles played through the key handler alone: a campaign from its
// first key to the final scene, and an Instant action battle.
#include <gtest/gtest.h>

#include <algorithm>

#include "flow/story.h"
#include "support/harness.h"

namespace velloxa::testing {

namespace {

using Texts = std::vector<std::string>;

bool startswith(const std::string& s, const std::string& prefix) {
    return s.rfind(prefix, 0) == 0;
}

Texts lines(const std::string& file) {
    Texts out;
    for (size_t at = 0, end; (end = file.find("\r\n", at)) != std::string::npos; at = end + 2)
        out.push_back(file.substr(at, end - at));
    return out;
}

// What one battle sounded like, gathered while it was played.
struct Battle {
    Texts spoken;
    int drops = 0;     // "You drop" and "Enemy drops" lines of the summaries
    int captures = 0;  // the other announcements of the summaries
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
            if (startswith(l, "speak ")) b.spoken.push_back(l.substr(6));
            if (l == "save") ++b.saves;
        }
        // A fresh summary: count its announcements once.
        if (g.ui.menu == 5 && g.ui.menuitem == 1) {
            b.drops += 1;
            b.captures += static_cast<int>(g.queue.list2.size()) - 1;
        }
        if (g.ui.menu == 5) {
            keys = "Enter\n";
        } else if (g.ui.menu == 0 && g.match.turn == 1) {
            keys = nextmove(g);
        } else {
            keys.clear();
        }
    }
    for (const std::string& s : b.spoken)
        if (startswith(s, "You have won the battle!") || startswith(s, "You have been defeated!") ||
            startswith(s, "The battle was a draw."))
            b.result = s;
    return b;
}

std::string resultline(const MatchState& m) {
    const std::string tail = ".  Press Enter to continue, or escape to view the board.";
    const auto n = [](double v) { return std::to_string(static_cast<int>(v)); };
    if (m.score[1] > m.score[2])
        return "You have won the battle!  Score was " + n(m.score[1]) + " to " + n(m.score[2]) +
               tail;
    if (m.score[1] < m.score[2])
        return "You have been defeated!  Score was " + n(m.score[2]) + " to " + n(m.score[1]) +
               tail;
    return "The battle was a draw.  Score was tied " + n(m.score[1]) + " to " + n(m.score[2]) +
           tail;
}

// The tile reward of a won battle, as spoken and as saved.
void checkreward(Harness& h, const Battle& b) {
    const Game& g = *h.game;
    const std::string prefix =
        "You have stolen a tile from your opponent.  You have now unlocked the ";
    const std::string& said = b.spoken.back();
    ASSERT_TRUE(startswith(said, prefix));
    ASSERT_EQ(said.substr(said.size() - 6), " tile!");
    const std::string stolen = said.substr(prefix.size(), said.size() - prefix.size() - 6);
    const auto& enemy = g.collection.deck[2];
    EXPECT_TRUE(std::any_of(enemy.begin() + 1, enemy.end(),
                            [&](int t) { return g.cards.cardname[t] == stolen; }));
    EXPECT_EQ(b.saves, 2);  // the battle start and the reward
    const int count = g.collection.unlockedcount;
    const Texts file = lines(h.home.read("progress.ini"));
    ASSERT_EQ(file.size(), static_cast<size_t>(12 + count));
    EXPECT_EQ(file[5], std::to_string(g.collection.opponent));
    EXPECT_EQ(file[6], std::to_string(count));
    EXPECT_NE(std::find(file.begin() + 7, file.begin() + 7 + count, stolen),
              file.begin() + 7 + count);
}

// Through the deck menu, the rarest tile left out of the deck replaces the
// weakest tile of a slot that may hold it.
std::string improvedeck(const Game& g) {
    const auto& c = g.cards;
    const auto& deck = g.collection.deck[1];
    const auto strength = [&](int t) {
        return c.cardup[t] + c.cardright[t] + c.carddown[t] + c.cardleft[t];
    };
    int position = 0;
    for (int i = 1; i <= g.collection.unlockedcount; ++i) {
        const int t = g.collection.unlocked[i];
        if (std::find(deck.begin() + 1, deck.end(), t) == deck.end()) position = i;
    }
    if (position == 0) return {};
    const int t = g.collection.unlocked[position];
    int slot = 0;
    for (int s = c.cardrarity[t]; s <= 5; ++s)
        if (strength(deck[s]) < strength(t) &&
            (slot == 0 || strength(deck[s]) < strength(deck[slot])))
            slot = s;
    std::string keys = "Down\nEnter\n";
    for (int i = 1; i < position; ++i) keys += "Down\n";
    if (slot != 0) keys += std::to_string(slot) + "\n";
    for (int i = position; i <= g.collection.unlockedcount; ++i) keys += "Down\n";
    return keys + "Enter\n";
}

void checkbattle(const Game& g, const Battle& b) {
    EXPECT_TRUE(g.match.boardfull());
    EXPECT_EQ(b.drops, 9);
    // Every capture is announced once and is worth one point.
    EXPECT_EQ(g.match.score[1] + g.match.score[2], b.captures);
    EXPECT_EQ(b.result, resultline(g.match));
}

}  // namespace

TEST(Playthrough, CampaignFromTheFirstKeyToTheFinalScene) {
    HarnessOptions options;
    options.seed = 77;
    Harness h(options);
    h.home.addsounds();
    h.start();
    Game& g = *h.game;

    // New game at the easiest level; the challenge menu tells the opening story.
    h.take();
    h.keys("Down\nEnter\nDown\nEnter\nEnter\nEnter\nDown\nEnter\n");
    EXPECT_EQ(h.only("speak ").back(), "speak " + std::string(story_content()[0].sofar));
    ASSERT_EQ(g.ui.difficulty, 1);
    ASSERT_EQ(g.collection.unlockedcount, 5);
    ASSERT_EQ(g.ui.menu, 4);

    int battles = 0, rewards = 0;
    while (g.collection.opponent <= 10 && battles < 400) {
        SCOPED_TRACE(battles);
        const int opponent = g.collection.opponent;
        const int count = g.collection.unlockedcount;
        const Battle b = play(h, "Down\nDown\nEnter\n");
        ++battles;
        ASSERT_NO_FATAL_FAILURE(checkbattle(g, b));
        EXPECT_EQ(g.ui.battlemode, 0);
        EXPECT_EQ(g.ui.menu, 4);
        EXPECT_EQ(g.ui.menuitem, 1);
        if (g.match.score[1] <= g.match.score[2]) {
            // Lost or drawn: the same opponent's story again, nothing gained.
            EXPECT_EQ(b.spoken.back(), story_content()[static_cast<size_t>(opponent - 1)].sofar);
            EXPECT_EQ(g.collection.opponent, opponent);
            EXPECT_EQ(g.collection.unlockedcount, count);
            EXPECT_EQ(b.saves, 1);
            continue;
        }
        EXPECT_EQ(g.collection.opponent, opponent + 1);
        if (g.collection.unlockedcount == count) continue;  // nothing new to steal
        ASSERT_NO_FATAL_FAILURE(checkreward(h, b));
        ++rewards;
        h.keys(improvedeck(g));
        ASSERT_EQ(g.ui.menu, 4);
    }
    ASSERT_EQ(g.collection.opponent, 11);
    EXPECT_GE(rewards, 5);

    // All beaten: the final scene, no further battle, and the way back to opponent 10.
    const auto& last = story_content()[10];
    h.take();
    h.keys("Up\nDown\nDown\nEnter\nDown\nShift+Enter\n");
    EXPECT_EQ(h.only("speak "),
              (Texts{"speak " + std::string(last.sofar), "speak Configure your deck for battle.",
                     "speak " + std::string(last.intro), "speak " + std::string(last.intro),
                     "speak " + std::string(last.goback),
                     "speak You look at your tiles and decide you should spend more time here "
                     "before moving on to stronger opponents."}));
    EXPECT_EQ(g.collection.opponent, 10);
}

TEST(Playthrough, InstantActionCollectsNothing) {
    for (uint64_t seed : {5, 6, 7}) {
        SCOPED_TRACE(seed);
        HarnessOptions options;
        options.seed = seed;
        Harness h(options);
        h.home.addsounds();
        h.start();
        Game& g = *h.game;
        const Battle b = play(h, "Up\nUp\nUp\nEnter\n");
        ASSERT_NO_FATAL_FAILURE(checkbattle(g, b));
        EXPECT_EQ(g.ui.battlemode, 4);
        EXPECT_EQ(b.saves, 1);  // the battle start only
        EXPECT_EQ(g.collection.opponent, 0);
        EXPECT_EQ(g.collection.unlockedcount, 0);
        EXPECT_EQ(g.ui.menu, 1);
        EXPECT_EQ(b.spoken.back(), g.match.score[1] > g.match.score[2] ? "Exit" : "New game");
    }
}

}  // namespace velloxa::testing
