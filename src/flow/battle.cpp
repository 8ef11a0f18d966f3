// A battle's moves as the player hears them: the setup with its coin flip,
// the drops with their sounds, waits and announcements, and the enemy's turn.
#include <string>

#include "engine/ai.h"
#include "engine/droptile.h"
#include "flow/game.h"

namespace velloxa {

namespace {

std::string withname(std::string text, const std::string& name) {
    static const std::string kMark = "$T";
    for (size_t at = text.find(kMark); at != std::string::npos;
         at = text.find(kMark, at + name.size()))
        text.replace(at, kMark.size(), name);
    return text;
}

// The announcement of one capture. Only the capturing side's own text is
// looked at; the enemy's points are never announced as gained.
std::string capturetext(const Catalogue& c, int captor, int captured, int side, bool plus) {
    const std::string& own = side == kUser ? c.cardcapture[captor] : c.cardenemycapture[captor];
    std::string text;
    if (own.empty()) {
        text = std::string(plus ? "Using the Plus rule, the " : "The ") + c.cardname[captured] +
               " tile has been captured by " + (side == kUser ? "your " : "the enemy's ") +
               c.cardname[captor] + " tile.";
    } else {
        text =
            std::string(plus ? "Using the Plus rule, " : "") + withname(own, c.cardname[captured]);
    }
    if (side == kUser) text += "  Point gained.";
    return text;
}

// A drop the player hears: positional sounds, the waits that pace it, the
// announcements for the summary and the redrawn board. Each wait may hand
// keys to the game, so the tiles are read afresh after it.
class LiveDrop : public DropEffects {
  public:
    explicit LiveDrop(Game& game) : g_(game) {}

    void landed(Spot spot) override {
        const Placement2d at = Output::sound2d(spot);
        const int n = g_.random.below(4) + 1;
        g_.out.makesound(g_.out.apppath("/sounds/drop" + std::to_string(n) + ".wav"), at.volume,
                         at.pan, Loop::Once, kNextFreeSlot);
        g_.hold(0.25);
        const std::string own = g_.cards.cardsound[g_.match.board[spot.x][spot.y]];
        if (own.empty()) {
            g_.hold(0.25);
        } else {
            g_.out.makesound(g_.out.apppath("/sounds/tiles/" + own + ".wav"), at.volume, at.pan,
                             Loop::Once, kNextFreeSlot);
            g_.hold(0.5);
        }
    }

    void captured(Spot captor, Spot taken, int side, bool plus) override {
        const auto& board = g_.match.board;
        g_.queue.announcements.push_back(
            capturetext(g_.cards, board[captor.x][captor.y], board[taken.x][taken.y], side, plus));
        const Placement2d at = Output::sound2d(taken);
        g_.out.makesound(g_.out.apppath("/sounds/capture.wav"), at.volume, at.pan, Loop::Once,
                         kNextFreeSlot);
        g_.hold(0.25);
    }

    void settled(Spot, int) override { g_.drawscreen(); }

  private:
    Game& g_;
};

}  // namespace

void Game::droptile(Spot spot, int tile, int side) {
    LiveDrop effects(*this);
    velloxa::droptile(match, cards, spot, tile, side, Drop::Placed, effects);
}

void Game::runai() {
    const std::optional<EnemyMove> move =
        choosemove(match, cards, random, ui.difficulty, ui.battlemode);
    if (!move) return;
    const int tile = match.hand[kEnemy][move->slot];
    queue.announcements.clear();
    queue.announcements.push_back("Enemy drops " + cards.cardname[tile] + " onto spot " +
                                  std::to_string(move->spot.x) + ", " +
                                  std::to_string(move->spot.y) + ".");
    droptile(move->spot, tile, kEnemy);
    match.hand[kEnemy][move->slot] = 0;
    match.turn = kUser;
    showmenu(Menu::Summary, 0);
}

RarityCounts Game::opponentcounts(int opponent) {
    // Rarity 1 to 5 per campaign opponent; every row adds up to five tiles.
    static constexpr std::array<RarityCounts, 11> kRows = {{
        {0, 0, 0, 0, 0, 0},
        {0, 4, 1, 0, 0, 0},
        {0, 3, 1, 1, 0, 0},
        {0, 1, 2, 2, 0, 0},
        {0, 1, 1, 3, 0, 0},
        {0, 2, 0, 1, 2, 0},
        {0, 1, 1, 1, 2, 0},
        {0, 2, 0, 1, 1, 1},
        {0, 1, 2, 0, 1, 1},
        {0, 1, 1, 2, 0, 1},
        {0, 1, 1, 1, 1, 1},
    }};
    if (opponent < 1 || opponent > 10) return kRows[0];
    return kRows[static_cast<size_t>(opponent)];
}

void Game::startusout() {
    saveprogress();
    ui.battlemode = 0;
    match.board = {};
    match.boardowner = {};
    match.score[1] = 0;
    match.score[2] = 0;
    match.turn = random.below(2) + kUser;
    // Outside the campaign (no row) the enemy's hand and the reward candidates
    // keep what they held.
    const int opponent = collection.opponent;
    if (opponent >= 1 && opponent <= 10) {
        dealbyrarity(collection, match, cards, random, opponentcounts(opponent), Hands::Enemy);
        collection.deck[kEnemy] = match.hand[kEnemy];
    }
    match.handcursor = 1;
    match.cursorx = 2;
    match.cursory = 2;
    drawscreen();
}

void Game::announcecoinflip(const std::string& leadin) {
    // Decided once: a key handled during the waits may change `turn`, but
    // the announcement already made must not be followed by the other one.
    const int first = match.turn;
    const MoveScope move(*this);
    if (first == kUser) {
        sayit(leadin + "  You have been chosen to go first!");
        hold(1);
        ui.menu = Menu::Board;
        ui.menuitem = 0;
    } else if (first == kEnemy) {
        ui.menu = Menu::Board;
        ui.menuitem = 0;
        sayit(leadin + "  Your opponent has been chosen to go first.");
        hold(ui.battlemode == 0 ? 5 : 4);
        runai();
    }
}

}  // namespace velloxa
