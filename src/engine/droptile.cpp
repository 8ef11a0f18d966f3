// Placing a tile and everything it sets off: the attack rule with its chain
// drops, the Plus rule, the points, the announcements and the pacing sounds.
// While the computer opponent simulates (predicting 1) the same code runs
// silently and scores the drop instead.
#include <array>
#include <string>

#include "flow/game.h"

namespace velloxa {

namespace {

// Directions in the order they are always processed.
constexpr int kUp = 0, kRight = 1, kDown = 2, kLeft = 3;
constexpr std::array<int, 4> kDx = {0, 1, 0, -1};
constexpr std::array<int, 4> kDy = {-1, 0, 1, 0};

int opposite(int d) {
    return (d + 2) % 4;
}

bool onboard(int x, int y) {
    return x >= 1 && x <= 3 && y >= 1 && y <= 3;
}

// The attack tile t shows toward direction d.
int attack(const Catalogue& c, int t, int d) {
    switch (d) {
        case kUp:
            return c.cardup[t];
        case kRight:
            return c.cardright[t];
        case kDown:
            return c.carddown[t];
        default:
            return c.cardleft[t];
    }
}

std::string withname(std::string text, const std::string& name) {
    static const std::string kMark = "$T";
    for (size_t at = text.find(kMark); at != std::string::npos;
         at = text.find(kMark, at + name.size()))
        text.replace(at, kMark.size(), name);
    return text;
}

// The announcement of one capture. Only the capturing side's own text is
// looked at; the enemy's points are never announced as gained.
std::string capturetext(const Catalogue& c, int captor, int captured, int team, bool plus) {
    const std::string& own = team == 1 ? c.cardcapture[captor] : c.cardenemycapture[captor];
    std::string text;
    if (own.empty()) {
        text = std::string(plus ? "Using the Plus rule, the " : "The ") + c.cardname[captured] +
               " tile has been captured by " + (team == 1 ? "your " : "the enemy's ") +
               c.cardname[captor] + " tile.";
    } else {
        text =
            std::string(plus ? "Using the Plus rule, " : "") + withname(own, c.cardname[captured]);
    }
    if (team == 1) text += "  Point gained.";
    return text;
}

// Takes the tile on (nx, ny) for `team` on behalf of the tile on (x, y).
void capture(Game& g, int x, int y, int nx, int ny, int team, bool plus) {
    MatchState& m = g.match;
    m.score[team] = m.score[team] + 1;
    m.boardowner[nx][ny] = team;
    g.list2additem(capturetext(g.cards, m.board[x][y], m.board[nx][ny], team, plus));
    if (m.predicting == 0) {
        double v = 0, p = 0;
        g.sound2d(nx, ny, v, p);
        g.makesound(g.apppath("/sounds/capture.wav"), v, p, 0, -1);
        g.hold(0.25);
    }
}

}  // namespace

void Game::droptile(int tempa, int tempb, int tempcard, int tempteam, int tempcompound) {
    const int x = tempa, y = tempb;
    match.board[x][y] = tempcard;
    match.boardowner[x][y] = tempteam;
    std::array<int, 4> sums{};

    // Keys are handled during these waits, so the tile on the spot is read
    // afresh whenever it is needed rather than trusting tempcard.
    if (match.predicting == 0) {
        double v = 0, p = 0;
        sound2d(x, y, v, p);
        const int n = random.below(4) + 1;
        makesound(apppath("/sounds/drop" + std::to_string(n) + ".wav"), v, p, 0, -1);
        hold(0.25);
        const std::string own = cards.cardsound[match.board[x][y]];
        if (own.empty()) {
            hold(0.25);
        } else {
            sound2d(x, y, v, p);
            makesound(apppath("/sounds/tiles/" + own + ".wav"), v, p, 0, -1);
            hold(0.5);
        }
    }

    for (int d = kUp; d <= kLeft; ++d) {
        const int nx = x + kDx[d], ny = y + kDy[d];
        if (!onboard(nx, ny)) continue;
        if (match.board[nx][ny] == 0 || match.boardowner[nx][ny] == tempteam) continue;
        const int mine = attack(cards, match.board[x][y], d);
        const int theirs = attack(cards, match.board[nx][ny], opposite(d));
        sums[d] = mine + theirs;
        if (mine > theirs) {
            capture(*this, x, y, nx, ny, tempteam, false);
            // Runs whole, waits and all, before the next direction is looked at.
            if (tempcompound == 0) droptile(nx, ny, match.board[nx][ny], tempteam, 1);
        }
    }

    // Plus: every non-zero sum must agree, including those of neighbours the
    // attack rule has just taken; only the ones still held by the other side
    // are captured.
    static constexpr std::array<std::array<int, 2>, 6> kPairs = {{{kUp, kRight},
                                                                  {kRight, kDown},
                                                                  {kDown, kLeft},
                                                                  {kLeft, kUp},
                                                                  {kUp, kDown},
                                                                  {kRight, kLeft}}};
    bool plus = true;
    for (const auto& [a, b] : kPairs)
        if (sums[a] != 0 && sums[b] != 0 && sums[a] != sums[b]) plus = false;
    std::array<bool, 4> member{};
    int members = 0;
    for (int d = kUp; d <= kLeft; ++d) {
        if (sums[d] == 0) continue;
        if (match.boardowner[x + kDx[d]][y + kDy[d]] == tempteam) continue;
        member[d] = true;
        ++members;
    }
    if (plus && members >= 2)
        for (int d = kUp; d <= kLeft; ++d)
            if (member[d]) capture(*this, x, y, x + kDx[d], y + kDy[d], tempteam, true);

    if (match.predicting == 1) evaluate(tempteam, match.board[x][y], x, y);
    drawscreen();
}

// Scores how well tile t sits on (x, y): a little jitter to break ties, a
// bonus for turning a weak side to a wall or to an occupied spot, a penalty
// for wasting a strong side on a wall, and a cost for spending a rare tile.
// Each term is a separate addition so the result does not depend on how the
// compiler groups them.
void Game::evaluate(int tempteam, int t, int x, int y) {
    double& s = match.score[tempteam];
    const int l = cards.cardleft[t], r = cards.cardright[t];
    const int u = cards.cardup[t], dn = cards.carddown[t];
    s = s + random.below(9) * 0.01;
    if (x == 1 && l < r) s = s + 0.01 * (r - l);
    if (x == 3 && l > r) s = s + 0.01 * (l - r);
    if (y == 1 && u < dn) s = s + 0.01 * (dn - u);
    if (y == 3 && u > dn) s = s + 0.01 * (u - dn);
    if (x == 2 && match.board[x - 1][y] != 0 && l < r) s = s + 0.01;
    if (x == 2 && match.board[x + 1][y] != 0 && l > r) s = s + 0.01;
    if (y == 2 && match.board[x][y - 1] != 0 && u < dn) s = s + 0.01;
    if (y == 2 && match.board[x][y + 1] != 0 && u > dn) s = s + 0.01;
    if (x == 3 && l < r) s = s - 0.01 * (r - l);
    if (x == 1 && l > r) s = s - 0.01 * (l - r);
    if (y == 3 && u < dn) s = s - 0.01 * (dn - u);
    if (y == 1 && u > dn) s = s - 0.01 * (u - dn);
    s = s - 0.02 * cards.cardrarity[t];
}

}  // namespace velloxa
