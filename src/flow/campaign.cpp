// The campaign's hub (challenge menu) and the summary read out after every
// move of a battle.
#include "flow/campaign.h"

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
    const Collection& collection = campaign.collection();
    // Before any campaign exists the menu has nothing to offer.
    if (collection.opponent < 1) return;
    ui.cycleme(keycode, collection.opponent == 1 ? 3 : 4, Ends::Stop);
    const bool enter = keycode == key::Enter;
    switch (ui.item()) {
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
                battle.deal(
                    [this](MatchState& match) { campaign.deal_user_hand_from_deck(match); });
                battle.announcecoinflip(leadin);
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
            campaign.go_back();
            sayit(
                "You look at your tiles and decide you should spend more time here before "
                "moving on to stronger opponents.");
            break;
        default:
            break;
    }
}

void Game::summarymenu(int keycode, int) {
    const std::vector<std::string>& announcements = battle.announcements();
    const auto count = [&announcements] { return static_cast<int>(announcements.size()); };
    ui.cycleme(keycode, count() + 1, Ends::Stop);
    if (keycode == key::Enter && ui.item() == count() + 1) {
        continuebattle();
        return;
    }
    // Enter walks forward through the move like Down.
    if (keycode == key::Enter && ui.item() < count() + 1) ui.set_item(ui.item() + 1);
    if (ui.item() >= 1 && ui.item() <= count())
        sayit(announcements[static_cast<size_t>(ui.item() - 1)]);
    if (ui.item() == count() + 1) sayit(scoreline(battle.position()));
}

void Game::continuebattle() {
    ui.set(Menu::Board, 0);
    const MatchState& match = battle.position();
    if (!match.boardfull()) {
        battle.nextturn();
        return;
    }
    const bool incampaign = battle.battlemode() == 0;
    if (match.score[1] > match.score[2]) {
        if (incampaign) {
            campaign.advance();
            campaign.takecard();
            campaign.saveprogress();
            ui.set(Menu::Challenge, 1);
        } else {
            showmenu(Menu::Main, 0);
        }
        return;
    }
    showmenu(incampaign ? Menu::Challenge : Menu::Main, 1);
}

void Game::startusout() {
    campaign.saveprogress();
    battle.startusout([this](MatchState& match) { campaign.deal_opponent_hand(match); });
}

RarityCounts Campaign::opponentcounts(int opponent) {
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

void Campaign::deal_opponent_hand(MatchState& match) {
    // Outside the campaign (no row) the enemy's hand and the reward candidates
    // keep what they held.
    const int opponent = collection_.opponent;
    if (opponent >= 1 && opponent <= 10) {
        dealbyrarity(collection_, match, cards_, random_, opponentcounts(opponent), Hands::Enemy);
        collection_.deck[kEnemy] = match.hand[kEnemy];
    }
}

void Campaign::deal_starter_deck(MatchState& match) {
    starterdeck(collection_, match, cards_, random_);
}

void Campaign::deal_instant_decks(MatchState& match) {
    instantdecks(collection_, match, cards_, random_);
}

void Campaign::deal_user_hand_from_deck(MatchState& match) const {
    resetdeck(collection_, match);
}

void Campaign::step_difficulty() {
    difficulty_ += 1;
    if (difficulty_ >= 6) difficulty_ = 1;
}

void Campaign::go_back() {
    if (collection_.opponent > 11) collection_.opponent = 11;
    collection_.opponent -= 1;
}

Placement Campaign::puttile(int position, int slot) {
    return velloxa::puttile(collection_, cards_, position, slot);
}

}  // namespace velloxa
