#include "flow/game.h"
#include "io/numbers.h"

namespace velloxa {

Game::Game(Platform& p, StartOptions options)
    : platform(p), folders(std::move(options.folders)), seed(options.seed) {}

bool Game::Form_Load() {
    random.seed(seed);
    ui.version = "0.5f";

    speech.sapion = 0;
    setupsapi();
    if (speech.sapion == 1 && !platform.voice.create()) speech.sapion = 0;
    speech.sapirate = 2;
    if (speech.sapion == 1) platform.voice.set_rate(static_cast<int>(wholepart(speech.sapirate)));
    loadjaws();

    sound.dxversion = 8;
    sound.numbuffers = 49;
    if (!platform.sound.create()) {
        platform.msgbox.show(
            "Unable to start DirectSound. Check to see that your sound card is properly "
            "installed.  Try running Dorvic.exe from your Quillon folder.  For some people, this "
            "can correct this issue.");
        platform.process.end();
        return false;
    }
    preloadsounds();

    ui.difficulty = 3;
    ui.battlemode = 0;
    sound.soundfolder = "sounds";
    buildcards();
    language.langcount = 0;
    language.langtitle.clear();
    loadlanguagefile();
    if (platform.files.exists(datapath("/progress.ini"))) loadprogress();
    // A route that cannot speak would leave the player without even the
    // welcome; the file keeps its value until the next save.
    if (speech.speechmode < 0 || speech.speechmode > 3 ||
        (speech.speechmode == 3 && speech.jawson != 1))
        speech.speechmode = 0;

    sayit("Welcome to Nebbin's Velloxa, version " + ui.version + ".  Main menu.");
    ui.menu = 1;
    ui.menuitem = 0;
    match.handcursor = 1;
    return true;
}

}  // namespace velloxa
