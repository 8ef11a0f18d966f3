#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>
#include <string>

#include "cards/text.h"
#include "io/debug_log.h"
#include "io/output.h"

namespace velloxa {

namespace {

// The whole number nearest to `v`, halves to the even neighbour.
double half_even(double v) {
    const double below = std::floor(v);
    const double fraction = v - below;
    if (fraction > 0.5) return below + 1;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

// `w` to the nearest hundredth, halves to even, decided on the exact value
// of w * 100 rather than on its rounded product.
double two_decimals(double w) {
    const double scaled = w * 100.0;
    if (!std::isfinite(scaled)) return w;
    const double error = std::fma(w, 100.0, -scaled);  // w * 100 == scaled + error
    const double below = std::floor(scaled);
    const double fraction = scaled - below;
    double whole;
    if (fraction > 0.5 || (fraction == 0.5 && error > 0)) {
        whole = below + 1;
    } else if (fraction < 0.5 || error < 0) {
        whole = below;
    } else {
        whole = std::fmod(below, 2.0) == 0 ? below : below + 1;
    }
    return whole / 100.0;
}

}  // namespace

bool Output::holds_sound(int slot) const {
    return slot >= 0 && static_cast<size_t>(slot) < sound_.slot_loaded.size() &&
           sound_.slot_loaded[static_cast<size_t>(slot)];
}

// Loads `path` into `slot` when the file exists; false when it was not loaded.
bool Output::load_slot(int slot, const std::string& path) {
    try {
        if (!platform_.files.exists(path)) {
            append_debug_log(log_text::kSoundFileMissing + path);
            return false;
        }
        if (slot < 0 || static_cast<size_t>(slot) >= sound_.slot_loaded.size())
            throw std::out_of_range("no sound slot " + std::to_string(slot));
        platform_.sound.load(slot, path);
        sound_.slot_loaded[static_cast<size_t>(slot)] = true;
        return true;
    } catch (const std::exception& e) {
        append_debug_log(log_text::kSoundLoadFailed + std::string(e.what()));
        append_debug_log(path);
        return false;
    }
}

// Volume and pan alike: reduced to two decimals, applied as a whole number
// only when in range and the slot holds a sound.
void Output::set_level(int slot, double level, double lowest, double highest,
                       void (SoundDevice::*apply)(int, int), const char* failure) {
    try {
        const double w = two_decimals(level);
        if (!(w >= lowest && w <= highest) || !holds_sound(slot)) return;
        (platform_.sound.*apply)(slot, static_cast<int>(half_even(w)));
    } catch (const std::exception& e) {
        append_debug_log(failure + std::string(e.what()));
    }
}

// load_sound_slot, telling whether the requested sound is now in the slot.
bool Output::change_sound(int slot, std::string& path) {
    try {
        // Blanks around the path go, but the program folder is taken as it
        // is: only the fixed part after it is trimmed and rewritten.
        const std::string& app = folders_.app;
        const auto in_app = [&] { return !app.empty() && path.compare(0, app.size(), app) == 0; };
        if (!in_app()) path.erase(0, std::min(path.find_first_not_of(' '), path.size()));
        const size_t fixed = in_app() ? app.size() : 0;
        while (path.size() > fixed && path.back() == ' ') path.pop_back();
        if (path.empty()) return false;

        const std::string original = path;
        path = path.substr(0, fixed) +
               replace_all(path.substr(fixed), "/sounds/", "/" + sound_.sound_folder + "/");
        // A sound set may hold only some of the files; the rest come from "sounds".
        if (!platform_.files.exists(path)) path = original;  // mutate: sound-no-fallback
        return load_slot(slot, path);
    } catch (const std::exception& e) {
        append_debug_log(log_text::kSoundLoadFailed + std::string(e.what()));
        append_debug_log(path);
        return false;
    }
}

void Output::play_sound(std::string path, double volume, double pan, Loop loop, int slot) {
    if (sound_.sound_folder.empty()) return;
    if (slot == kNextFreeSlot) {
        sound_.next_slot += 1;
        if (sound_.next_slot > Sound::kLastSlot) sound_.next_slot = 1;
        if (sound_.next_slot < 2) sound_.next_slot = 2;  // mutate: sound-slot-rotation
        slot = sound_.next_slot;
    }
    // Without the requested sound the slot would play whatever it held before.
    if (!change_sound(slot, path)) return;
    set_slot_volume(slot, volume);
    set_slot_pan(slot, pan);
    try {
        platform_.sound.play(slot, static_cast<int>(loop));
    } catch (const std::exception&) {
        // A sound that cannot play is simply not heard.
    }
}

void Output::load_sound_slot(int slot, std::string& path) {
    change_sound(slot, path);
}

void Output::preload_sounds() {
    // Always the standard set: the sound folder is not known yet.
    const std::string path = app_path("/sounds/menu/arrows.wav");
    for (int slot = 0; slot <= Sound::kLastSlot; ++slot) load_slot(slot, path);
}

void Output::set_slot_volume(int slot, double volume) {
    set_level(slot, volume, -5000, 0, &SoundDevice::set_volume, log_text::kVolumeFailed);
}

void Output::set_slot_pan(int slot, double pan) {
    set_level(slot, pan, -10000, 10000, &SoundDevice::set_pan, log_text::kPanFailed);
}

Placement2d Output::placement_of(Spot spot) {
    // Left to right across the stereo field, quieter toward the top row.
    static constexpr double kPans[] = {0, -2500, 0, 2500};
    static constexpr double kVolumes[] = {0, -2000, -1000, 0};  // mutate: sound-rows-swapped
    Placement2d placement;
    if (spot.x >= 1 && spot.x <= 3) placement.pan = kPans[spot.x];
    if (spot.y >= 1 && spot.y <= 3) placement.volume = kVolumes[spot.y];
    return placement;
}

}  // namespace velloxa
