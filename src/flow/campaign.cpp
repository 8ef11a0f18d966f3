// The campaign's hub (challenge menu) and the summary read out after every
// move of a battle.
#include "flow/campaign.h"

#include "cards/decks.h"
#include "cards/numbers.h"
#include "flow/game.h"
#include "flow/story.h"
#include "io/keycodes.h"

namespace velloxa {

namespace {

// The story told at a campaign position of 1 or more; every position past
// the last opponent tells the same final texts.
const OpponentStory& story_at(int opponent) {
    const int index = opponent >= 11 ? 10 : opponent - 1;
    return story_content()[static_cast<size_t>(index)];
}

std::string score_line(const MatchState& match) {
    const std::string tail = ".  Press Enter to continue, or escape to view the board.";
    const std::string mine = num(match.score(Side::Player));
    const std::string theirs = num(match.score(Side::Enemy));
    if (!match.board_full()) return "Score is " + mine + " to " + theirs + tail;
    if (match.score(Side::Player) > match.score(Side::Enemy))
        return "You have won the battle!  Score was " + mine + " to " + theirs + tail;
    if (match.score(Side::Player) < match.score(Side::Enemy))
        return "You have been defeated!  Score was " + theirs + " to " + mine + tail;
    return "The battle was a draw.  Score was tied " + mine + " to " + theirs + tail;
}

}  // namespace

void Game::challenge_menu_key(int keycode, int shift) {
    const Collection& collection = campaign.collection();
    // Before any campaign exists the menu has nothing to offer.
    if (collection.opponent < 1) return;
    ui.step_menu_cursor(keycode, collection.opponent == 1 ? 3 : 4, Ends::Stop);
    const bool enter = keycode == key::Enter;
    switch (ui.item()) {
        case 1:
            say(story_at(collection.opponent).so_far);
            break;
        case 2:
            if (!enter) {
                say("Configure your deck for battle.");
                break;
            }
            show_menu(Menu::Deck, 1);
            break;
        case 3:
            if (enter && collection.opponent < 11) {
                // Four tiles cannot fill nine spots when the player goes
                // first: such a battle could never end.
                const int empty = first_empty_deck_slot(collection);
                if (empty != 0) {  // mutate: challenge-empty-slot
                    say("Deck slot " + num(empty) +
                        " is empty.  Fill it under Configure your deck before you face this "
                        "opponent.");
                    break;
                }
                const std::string leadin = story_at(collection.opponent).coin_flip;
                start_battle();
                battle.deal(
                    [this](MatchState& match) { campaign.deal_user_hand_from_deck(match); });
                battle.announce_coin_flip(leadin);
                break;
            }
            say(story_at(collection.opponent).intro);
            break;
        case 4:
            if (!enter) {
                say(story_at(collection.opponent).go_back);
                break;
            }
            if (shift == 0) {
                say("Hold shift and press Enter to confirm going back to face an earlier "
                    "opponent.  You will have to defeat that opponent again before moving "
                    "forward.");
                break;
            }
            campaign.go_back();
            say("You look at your tiles and decide you should spend more time here before "
                "moving on to stronger opponents.");
            break;
        default:
            break;
    }
}

void Game::summary_menu_key(int keycode, int) {
    const std::vector<std::string>& announcements = battle.announcements();
    const auto count = [&announcements] { return static_cast<int>(announcements.size()); };
    ui.step_menu_cursor(keycode, count() + 1, Ends::Stop);
    if (keycode == key::Enter && ui.item() == count() + 1) {
        continue_after_summary();
        return;
    }
    // Enter walks forward through the move like Down.
    if (keycode == key::Enter && ui.item() < count() + 1) ui.set_item(ui.item() + 1);
    if (ui.item() >= 1 && ui.item() <= count())
        say(announcements[static_cast<size_t>(ui.item() - 1)]);
    if (ui.item() == count() + 1) say(score_line(battle.position()));
}

void Game::continue_after_summary() {
    ui.set(Menu::Board, 0);
    const MatchState& match = battle.position();
    if (!match.board_full()) {
        battle.next_turn();
        return;
    }
    const bool in_campaign = battle.battle_mode() == 0;
    if (match.score(Side::Player) > match.score(Side::Enemy)) {
        if (in_campaign) {
            campaign.advance();
            campaign.steal_tile();  // mutate: campaign-no-reward
            campaign.save_progress();
            ui.set(Menu::Challenge, 1);
        } else {
            show_menu(Menu::Main, 0);
        }
        return;
    }
    show_menu(in_campaign ? Menu::Challenge : Menu::Main, 1);
}

void Game::start_battle() {
    campaign.save_progress();
    battle.start_battle([this](MatchState& match) { campaign.deal_opponent_hand(match); });
}

RarityCounts Campaign::opponent_rarity_counts(int opponent) {
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
        deal_by_rarity(collection_, match, cards_, random_, opponent_rarity_counts(opponent),
                       Hands::Enemy);
        collection_.enemy_deck = match.hand(Side::Enemy);
    }
}

void Campaign::deal_starter_deck(MatchState& match) {
    velloxa::deal_starter_deck(collection_, match, cards_, random_);
}

void Campaign::deal_instant_decks(MatchState& match) {
    deal_instant_hands(collection_, match, cards_, random_);
}

void Campaign::deal_user_hand_from_deck(MatchState& match) const {
    deal_deck_to_hand(collection_, match);
}

void Campaign::step_difficulty() {
    difficulty_ += 1;
    if (difficulty_ >= 6) difficulty_ = 1;
}

void Campaign::go_back() {
    if (collection_.opponent > 11) collection_.opponent = 11;  // mutate: campaign-back-past-ten
    collection_.opponent -= 1;
}

Placement Campaign::put_tile_in_deck(int position, int slot) {
    return velloxa::put_tile_in_deck(collection_, cards_, position, slot);
}

}  // namespace velloxa
