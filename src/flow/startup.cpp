#include "cards/numbers.h"
#include "flow/game.h"

namespace velloxa {

Game::Game(Platform& p, StartOptions options) : Game(p, std::move(options), Catalogue{}) {
    cardsgiven = false;
}

Game::Game(Platform& p, StartOptions options, Catalogue tiles)
    : platform(p),
      seed(options.seed),
      out(p, std::move(options.folders)),
      waits(p.clock),
      cards(std::move(tiles)),
      cardsgiven(true),
      ui(out),
      campaign(p, out, random, cards),
      battle(BattleParts{*this, out, waits, random, p.canvas, cards, keys}),
      speechkeys(p, out, kVersion, [this] { campaign.saveprogress(); }) {}

bool Game::start() {
    random.seed(seed);
    out.version = kVersion;

    Speech& speech = out.speech;
    speech.voiceon = false;
    out.setupsapi();
    if (speech.voiceon && !platform.voice.create()) speech.voiceon = false;
    speech.sapirate = 2;
    if (speech.voiceon) platform.voice.set_rate(static_cast<int>(wholepart(speech.sapirate)));
    out.loadjaws();

    // The sound system of the original program, version 8; 49 slots rotate.
    out.sound.dxversion = 8;
    out.sound.numbuffers = 49;
    if (!platform.sound.create()) {
        std::string message =
            "Unable to start DirectSound. Check to see that your sound card is properly "
            "installed.  Try running Dorvic.exe from your Quillon folder.  For some people, this "
            "can correct this issue.";
        // A screen reader reads the box aloud, so the language file may
        // replace it as it replaces any spoken text (with advice that fits
        // the system); it is read this early only on the way out.
        out.loadlanguagefile();
        if (out.language.langcount != 0) out.Translate(message);
        platform.msgbox.show(message);
        platform.process.end();
        return false;
    }
    out.preloadsounds();

    out.sound.soundfolder = "sounds";
    if (!cardsgiven) buildcards(cards);
    out.language.langcount = 0;
    out.language.langtitle.clear();
    out.loadlanguagefile();
    if (platform.files.exists(out.datapath("/progress.ini"))) campaign.loadprogress();
    // A route that cannot speak, or that nobody hears on this platform, would
    // leave the player without even the welcome; the file keeps its value
    // until the next save.
    if (speech.speechmode < kVoiceRoute || speech.speechmode > kReaderRoute ||
        (speech.speechmode == kReaderRoute && !speech.readeron) ||
        (needs_title_reader(speech.speechmode) && !platform.window.title_is_read()))
        speech.speechmode = kVoiceRoute;

    sayit(std::string("Welcome to Nebbin's Velloxa, version ") + kVersion + ".  Main menu.");
    ui.set(Menu::Main, 0);
    return true;
}

void Game::set_position(const MatchState& position, int battlemode) {
    battle.set_position(position, battlemode);
    give_board_the_keys();
}

}  // namespace velloxa
