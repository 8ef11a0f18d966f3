// The campaign: its opponents' hands, the difficulty, the progress file on
// disk and the reward that changes the collection.
#include "flow/campaign.h"

#include <array>
#include <exception>

#include "cards/numbers.h"
#include "cards/progress.h"
#include "cards/reward.h"
#include "io/debug_log.h"

namespace velloxa {

namespace {

Settings settings_of(const Output& out, int difficulty) {
    return Settings{number_of(out.speech().speech_route), difficulty, out.speech().voice_rate,
                    out.sound_folder()};
}

}  // namespace

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

std::string Campaign::progress_text() const {
    return velloxa::write_progress_text(settings_of(out_, difficulty_), collection_, cards_);
}

void Campaign::save_progress() {
    try {
        // A file read only in part still holds the rest of the collection;
        // it is kept before anything replaces it.
        if (collection_.unreadable) {
            platform_.files.replace(out_.data_path("/progress.ini.bak"), *collection_.unreadable);
            collection_.unreadable.reset();
        }
        platform_.files.replace(out_.data_path("/progress.ini"), progress_text());
    } catch (const std::exception& e) {
        // The game goes on; the file keeps its previous content.
        out_.append_debug_log(log_text::kSaveFailed + std::string(e.what()));
        out_.say(out_.tr("Your progress could not be saved."));
    }
}

void Campaign::load_progress() {
    const std::optional<std::string> content =
        platform_.files.read(out_.data_path("/progress.ini"));
    if (!content) return;
    Settings settings = settings_of(out_, difficulty_);
    const ProgressRead read = read_progress(*content, cards_, settings, collection_);
    out_.set_speech_route(speech_route_from_number(settings.speech_route));
    difficulty_ = settings.difficulty;
    out_.set_voice_rate(settings.voice_rate);
    out_.set_sound_folder(settings.sound_folder);
    if (read.rate_read && out_.speech().voice_available)
        platform_.voice.set_rate(static_cast<int>(whole_part(settings.voice_rate)));
    if (read.partial) collection_.unreadable = *content;  // mutate: progress-no-backup
}

void Campaign::steal_tile() {
    const std::optional<int> stolen = velloxa::pick_stolen_tile(collection_, cards_, random_);
    if (!stolen) {
        out_.say(
            out_.tr("Your opponent does not have any tiles that you don't already have.  Your "
                    "victory feels hollow because you were not able to steal a tile from your "
                    "enemy."));
        return;
    }
    out_.say(out_.tr(
        "You have stolen a tile from your opponent.  You have now unlocked the {tile} tile!",
        {{"tile", out_.texts().content(cards_.tile(*stolen).name)}}));
}
}  // namespace velloxa
