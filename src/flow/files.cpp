// The progress file on disk and the reward that changes the collection.
#include <exception>

#include "cards/numbers.h"
#include "cards/progress.h"
#include "cards/reward.h"
#include "flow/campaign.h"

namespace velloxa {

namespace {

Settings settingsof(const Output& out, int difficulty) {
    return Settings{out.speech.speechmode, difficulty, out.speech.sapirate, out.sound.soundfolder};
}

}  // namespace

std::string Campaign::progresstext() const {
    return velloxa::progresstext(settingsof(out_, difficulty_), collection_, cards_);
}

void Campaign::saveprogress() {
    try {
        // A file read only in part still holds the rest of the collection;
        // it is kept before anything replaces it.
        if (collection_.unreadable) {
            platform_.files.replace(out_.datapath("/progress.ini.bak"), *collection_.unreadable);
            collection_.unreadable.reset();
        }
        platform_.files.replace(out_.datapath("/progress.ini"), progresstext());
    } catch (const std::exception& e) {
        // The game goes on; the file keeps its previous content.
        out_.debuglog(std::string("error in saveprogress: ") + e.what());
        out_.sayit("Your progress could not be saved.");
    }
}

void Campaign::loadprogress() {
    const std::optional<std::string> content = platform_.files.read(out_.datapath("/progress.ini"));
    if (!content) return;
    Settings settings = settingsof(out_, difficulty_);
    const ProgressRead read = readprogress(*content, cards_, settings, collection_);
    out_.speech.speechmode = settings.speechmode;
    difficulty_ = settings.difficulty;
    out_.speech.sapirate = settings.sapirate;
    out_.sound.soundfolder = settings.soundfolder;
    if (read.rateread && out_.speech.voiceon)
        platform_.voice.set_rate(static_cast<int>(wholepart(settings.sapirate)));
    if (read.partial) collection_.unreadable = *content;
}

void Campaign::takecard() {
    const std::optional<int> stolen = velloxa::takecard(collection_, cards_, random_);
    if (!stolen) {
        out_.sayit(
            "Your opponent does not have any tiles that you don't already have.  Your victory "
            "feels hollow because you were not able to steal a tile from your enemy.");
        return;
    }
    out_.sayit("You have stolen a tile from your opponent.  You have now unlocked the " +
               cards_.cardname[static_cast<size_t>(*stolen)] + " tile!");
}

}  // namespace velloxa
