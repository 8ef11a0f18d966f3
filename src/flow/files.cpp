// The progress file on disk and the reward that changes the collection.
#include <exception>

#include "cards/numbers.h"
#include "cards/progress.h"
#include "cards/reward.h"
#include "flow/game.h"

namespace velloxa {

namespace {

Settings settingsof(const Output& out, const Menus& ui) {
    return Settings{out.speech.speechmode, ui.difficulty, out.speech.sapirate,
                    out.sound.soundfolder};
}

}  // namespace

std::string Game::progresstext() const {
    return velloxa::progresstext(settingsof(out, ui), collection, cards);
}

void Game::saveprogress() {
    try {
        // A file read only in part still holds the rest of the collection;
        // it is kept before anything replaces it.
        if (collection.unreadable) {
            platform.files.replace(out.datapath("/progress.ini.bak"), *collection.unreadable);
            collection.unreadable.reset();
        }
        platform.files.replace(out.datapath("/progress.ini"), progresstext());
    } catch (const std::exception& e) {
        // The game goes on; the file keeps its previous content.
        out.debuglog(std::string("error in saveprogress: ") + e.what());
        sayit("Your progress could not be saved.");
    }
}

void Game::loadprogress() {
    const std::optional<std::string> content = platform.files.read(out.datapath("/progress.ini"));
    if (!content) return;
    Settings settings = settingsof(out, ui);
    const ProgressRead read = readprogress(*content, cards, settings, collection);
    out.speech.speechmode = settings.speechmode;
    ui.difficulty = settings.difficulty;
    out.speech.sapirate = settings.sapirate;
    out.sound.soundfolder = settings.soundfolder;
    if (read.rateread && out.speech.voiceon)
        platform.voice.set_rate(static_cast<int>(wholepart(settings.sapirate)));
    if (read.partial) collection.unreadable = *content;
}

void Game::takecard() {
    const std::optional<int> stolen = velloxa::takecard(collection, cards, random);
    if (!stolen) {
        sayit(
            "Your opponent does not have any tiles that you don't already have.  Your victory "
            "feels hollow because you were not able to steal a tile from your enemy.");
        return;
    }
    sayit("You have stolen a tile from your opponent.  You have now unlocked the " +
          cards.cardname[static_cast<size_t>(*stolen)] + " tile!");
}

}  // namespace velloxa
