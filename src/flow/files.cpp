// The progress file on disk and the reward that changes the collection.
#include <exception>

#include "cards/numbers.h"
#include "cards/progress.h"
#include "cards/reward.h"
#include "flow/campaign.h"

namespace velloxa {

namespace {

Settings settings_of(const Output& out, int difficulty) {
    return Settings{number_of(out.speech.speech_route), difficulty, out.speech.voice_rate,
                    out.sound.sound_folder};
}

}  // namespace

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
        out_.append_debug_log(std::string("error in saveprogress: ") + e.what());
        out_.say("Your progress could not be saved.");
    }
}

void Campaign::load_progress() {
    const std::optional<std::string> content =
        platform_.files.read(out_.data_path("/progress.ini"));
    if (!content) return;
    Settings settings = settings_of(out_, difficulty_);
    const ProgressRead read = read_progress(*content, cards_, settings, collection_);
    out_.speech.speech_route = speech_route_from_number(settings.speech_route);
    difficulty_ = settings.difficulty;
    out_.speech.voice_rate = settings.voice_rate;
    out_.sound.sound_folder = settings.sound_folder;
    if (read.rate_read && out_.speech.voice_available)
        platform_.voice.set_rate(static_cast<int>(whole_part(settings.voice_rate)));
    if (read.partial) collection_.unreadable = *content;  // mutate: progress-no-backup
}

void Campaign::steal_tile() {
    const std::optional<int> stolen = velloxa::pick_stolen_tile(collection_, cards_, random_);
    if (!stolen) {
        out_.say(
            "Your opponent does not have any tiles that you don't already have.  Your victory "
            "feels hollow because you were not able to steal a tile from your enemy.");
        return;
    }
    out_.say("You have stolen a tile from your opponent.  You have now unlocked the " +
             cards_.tile(*stolen).name + " tile!");
}

}  // namespace velloxa
