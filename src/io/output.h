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
#include "io/texts.h"

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
    Output(Platform& platform, Folders folders)
        : platform_(platform), folders_(std::move(folders)) {}

    // Speech routes.
    void say(std::string text);
    void create_voice();
    // Start-up's voice: created, opened once more (a voice that refuses then
    // counts as absent) and set to `rate`.
    void start_voice(double rate);
    void probe_screen_reader();
    void cancel_reader();  // route 3: a key stops what the reader still says
    void reset_title(const std::string& version);
    const Speech& speech() const { return speech_; }
    void set_speech_route(SpeechRoute route) { speech_.speech_route = route; }
    void set_voice_rate(double rate) { speech_.voice_rate = rate; }
    // A move left by Shift+Escape inside the key chord lets keys in again.
    void lift_key_chord_block() { speech_.sending_chord = false; }
    // The version the resting window title shows.
    void set_version(std::string version) { version_ = std::move(version); }

    // Sound slots.
    void play_sound(std::string path, double volume, double pan, Loop loop, int slot);
    void load_sound_slot(int slot, std::string& path);
    void preload_sounds();  // every slot gets the menu step sound, never rewritten
    void set_slot_volume(int slot, double volume);
    void set_slot_pan(int slot, double pan);
    static Placement2d placement_of(Spot spot);
    // The folder that replaces "sounds" in sound paths; empty switches sound off.
    const std::string& sound_folder() const { return sound_.sound_folder; }
    void set_sound_folder(std::string folder) { sound_.sound_folder = std::move(folder); }

    // The player's language: every composed text comes from here.
    const Texts& texts() const { return texts_; }
    std::string tr(std::string_view english, std::initializer_list<Placeholder> parts = {}) const {
        return texts_.tr(english, parts);
    }
    void set_texts(Texts texts) { texts_ = std::move(texts); }

    // Language file.
    void load_language_file();
    void translate(std::string& text);
    const Language& language() const { return language_; }

    void append_debug_log(const std::string& line);

    // Full paths of the fixed files.
    std::string app_path(const std::string& relative) const { return folders_.app + relative; }
    std::string data_path(const std::string& relative) const { return folders_.data + relative; }

  private:
    bool holds_sound(int slot) const;
    bool load_slot(int slot, const std::string& path);
    bool change_sound(int slot, std::string& path);
    void set_level(int slot, double level, double lowest, double highest,
                   void (SoundDevice::*apply)(int, int), const char* failure);

    Platform& platform_;
    Folders folders_;
    std::string version_;
    Speech speech_;
    Sound sound_;
    Language language_;
    Texts texts_;
};

}  // namespace velloxa
