// Everything the game tells the player and records: texts on the chosen
// speech route, sounds in their slots, the language file's replacements and
// the debug log. It reaches the outside world only through the platform.
#pragma once

#include <string>

#include "engine/match.h"
#include "io/language.h"
#include "io/platform.h"
#include "io/sound.h"
#include "io/speech.h"

namespace velloxa {

struct Folders {
    std::string app;   // sounds are looked for here
    std::string data;  // progress.ini, debuglog.txt and language.txt
};

// How a sound plays (the flags handed to the sound device).
enum class Loop { Once = 0, Forever = 1 };
// The slot argument of `play_sound` that takes the next slot in rotation.
constexpr int kNextFreeSlot = -1;

// Volume (hundredths of a decibel) and pan of a sound from a board spot.
struct Placement2d {
    double volume = 0;
    double pan = 0;
};

class Output {
  public:
    Output(Platform& platform, Folders folders) : platform(platform), folders(std::move(folders)) {}

    // Speech routes.
    void say(std::string text);
    void create_voice();
    void probe_screen_reader();
    void cancel_reader();  // route 3: a key stops what the reader still says
    void reset_title(const std::string& version);

    // Sound slots.
    void play_sound(std::string path, double volume, double pan, Loop loop, int slot);
    void load_sound_slot(int slot, std::string& path);
    void preload_sounds();  // every slot gets the menu step sound, never rewritten
    void set_slot_volume(int slot, double& volume);
    void set_slot_pan(int slot, double& pan);
    static Placement2d placement_of(Spot spot);

    // Language file.
    void load_language_file();
    void translate(std::string& text);

    void append_debug_log(const std::string& line);

    // Full paths of the fixed files.
    std::string app_path(const std::string& relative) const { return folders.app + relative; }
    std::string data_path(const std::string& relative) const { return folders.data + relative; }

    Platform& platform;
    Folders folders;
    std::string version;  // the version the resting window title shows
    Speech speech;
    Sound sound;
    Language language;
};

}  // namespace velloxa
