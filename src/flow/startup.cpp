#include "cards/numbers.h"
#include "flow/game.h"

namespace velloxa {

Game::Game(Platform& p, StartOptions options) : Game(p, std::move(options), Catalogue{}) {
    catalogue_given = false;
}

Game::Game(Platform& p, StartOptions options, Catalogue tiles)
    : platform(p),
      seed(options.seed),
      out(p, std::move(options.folders)),
      waits(p.clock),
      cards(std::move(tiles)),
      catalogue_given(true),
      ui(out),
      campaign(p, out, random, cards),
      battle(BattleParts{*this, out, waits, random, p.canvas, cards, keys}),
      speech_keys(p, out, kVersion, [this] { campaign.save_progress(); }) {}

bool Game::start() {
    random.seed(seed);
    out.version = kVersion;

    Speech& speech = out.speech;
    speech.voice_available = false;
    out.create_voice();
    if (speech.voice_available && !platform.voice.open_voice()) speech.voice_available = false;
    speech.voice_rate = 2;
    if (speech.voice_available)
        platform.voice.set_rate(static_cast<int>(whole_part(speech.voice_rate)));
    out.probe_screen_reader();

    // DirectSound 8's numbering; every slot but 0 takes part in the rotation.
    out.sound.api_version = 8;
    out.sound.slot_count = SoundDevice::kSlots - 1;
    if (!platform.sound.open_device()) {
        std::string message =
            "Unable to start DirectSound. Check to see that your sound card is properly "
            "installed.  Try running Dorvic.exe from your Quillon folder.  For some people, this "
            "can correct this issue.";
        // A screen reader reads the box aloud, so the language file may
        // replace it as it replaces any spoken text (with advice that fits
        // the system); it is read this early only on the way out.
        out.load_language_file();
        if (out.language.entry_count != 0) out.translate(message);
        platform.msgbox.show(message);
        platform.process.end();
        return false;
    }
    out.preload_sounds();

    out.sound.sound_folder = "sounds";
    if (!catalogue_given) build_catalogue(cards);
    out.language.entry_count = 0;
    out.language.language_title.clear();
    out.load_language_file();
    if (platform.files.exists(out.data_path("/progress.ini"))) campaign.load_progress();
    // A route that cannot speak, or that nobody hears on this platform, would
    // leave the player without even the welcome; the file keeps its value
    // until the next save.
    // mutate: startup-silent-route
    if ((speech.speech_route == SpeechRoute::ScreenReader && !speech.reader_available) ||
        (needs_title_reader(speech.speech_route) && !platform.window.title_is_read()))
        speech.speech_route = SpeechRoute::Voice;

    say(std::string("Welcome to Nebbin's Velloxa, version ") + kVersion + ".  Main menu.");
    ui.set(Menu::Main, 0);
    return true;
}

void Game::set_position(const MatchState& position, int battle_mode) {
    battle.set_position(position, battle_mode);
    give_board_the_keys();
}

}  // namespace velloxa
