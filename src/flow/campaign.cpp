// The campaign's hub (challenge menu) and the summary read out after every
// move of a battle.
#include "cards/numbers.h"
#include "flow/game.h"
#include "flow/story.h"
#include "io/keycodes.h"

namespace velloxa {

namespace {

// The story told at a campaign position of 1 or more; every position past
// the last opponent tells the same final texts.
const OpponentStory& storyat(int opponent) {
    const int index = opponent >= 11 ? 10 : opponent - 1;
    return story_content()[static_cast<size_t>(index)];
}

std::string scoreline(const MatchState& match) {
    const std::string tail = ".  Press Enter to continue, or escape to view the board.";
    const std::string mine = num(match.score[1]);
    const std::string theirs = num(match.score[2]);
    if (!match.boardfull()) return "Score is " + mine + " to " + theirs + tail;
    if (match.score[1] > match.score[2])
        return "You have won the battle!  Score was " + mine + " to " + theirs + tail;
    if (match.score[1] < match.score[2])
        return "You have been defeated!  Score was " + theirs + " to " + mine + tail;
    return "The battle was a draw.  Score was tied " + mine + " to " + theirs + tail;
}

}  // namespace

void Game::challengemenu(int keycode, int shift) {
    // Before any campaign exists the menu has nothing to offer.
    if (collection.opponent < 1) return;
    cycleme(keycode, collection.opponent == 1 ? 3 : 4, Ends::Stop);
    const bool enter = keycode == key::Enter;
    switch (ui.menuitem) {
        case 1:
            sayit(storyat(collection.opponent).sofar);
            break;
        case 2:
            if (!enter) {
                sayit("Configure your deck for battle.");
                break;
            }
            showmenu(Menu::Deck, 1);
            break;
        case 3:
            if (enter && collection.opponent < 11) {
                const std::string leadin = storyat(collection.opponent).coinflip;
                startusout();
                resetdeck(collection, match);
                announcecoinflip(leadin);
                break;
            }
            sayit(storyat(collection.opponent).intro);
            break;
        case 4:
            if (!enter) {
                sayit(storyat(collection.opponent).goback);
                break;
            }
            if (shift == 0) {
                sayit(
                    "Hold shift and press Enter to confirm going back to face an earlier "
                    "opponent.  You will have to defeat that opponent again before moving "
                    "forward.");
                break;
            }
            if (collection.opponent > 11) collection.opponent = 11;
            collection.opponent -= 1;
            sayit(
                "You look at your tiles and decide you should spend more time here before "
                "moving on to stronger opponents.");
            break;
        default:
            break;
    }
}

void Game::summarymenu(int keycode, int) {
    const auto count = [this] { return static_cast<int>(queue.announcements.size()); };
    cycleme(keycode, count() + 1, Ends::Stop);
    if (keycode == key::Enter && ui.menuitem == count() + 1) {
        continuebattle();
        return;
    }
    // Enter walks forward through the move like Down.
    if (keycode == key::Enter && ui.menuitem < count() + 1) ui.menuitem += 1;
    if (ui.menuitem >= 1 && ui.menuitem <= count())
        sayit(queue.announcements[static_cast<size_t>(ui.menuitem - 1)]);
    if (ui.menuitem == count() + 1) sayit(scoreline(match));
}

void Game::continuebattle() {
    ui.menu = Menu::Board;
    ui.menuitem = 0;
    if (!match.boardfull()) {
        if (match.turn == kEnemy) {
            const MoveScope move(*this);
            sayit("It is your enemy's turn.");
            hold(1);
            runai();
            hold(0.5);
        } else if (match.turn == kUser) {
            sayit("It is your turn.");
        }
        return;
    }
    const bool campaign = ui.battlemode == 0;
    if (match.score[1] > match.score[2]) {
        if (campaign) {
            collection.opponent += 1;
            takecard();
            saveprogress();
            ui.menu = Menu::Challenge;
            ui.menuitem = 1;
        } else {
            showmenu(Menu::Main, 0);
        }
        return;
    }
    showmenu(campaign ? Menu::Challenge : Menu::Main, 1);
}

}  // namespace velloxa
