#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>
#include <string>

#include "flow/game.h"

namespace velloxa {

namespace {

// The whole number nearest to `v`, halves to the even neighbour.
double halfeven(double v) {
    const double below = std::floor(v);
    const double fraction = v - below;
    if (fraction > 0.5) return below + 1;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

// `w` to the nearest hundredth, halves to even, decided on the exact value
// of w * 100 rather than on its rounded product.
double twodecimals(double w) {
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

bool holdssound(const Game& g, int slot) {
    return slot >= 0 && static_cast<size_t>(slot) < g.sound.soundbuffer.size() &&
           g.sound.soundbuffer[static_cast<size_t>(slot)];
}

// Loads `path` into `slot` when the file exists; false when it was not loaded.
bool loadslot(Game& g, int slot, const std::string& path) {
    try {
        if (!g.platform.files.exists(path)) {
            g.debuglog("File is missing: " + path);
            return false;
        }
        if (g.sound.dxversion != 8) return false;
        if (slot < 0 || static_cast<size_t>(slot) >= g.sound.soundbuffer.size())
            throw std::out_of_range("no sound slot " + std::to_string(slot));
        g.platform.sound.load(slot, path);
        g.sound.soundbuffer[static_cast<size_t>(slot)] = true;
        return true;
    } catch (const std::exception& e) {
        g.debuglog(std::string("error in setsound: ") + e.what());
        g.debuglog(path);
        return false;
    }
}

// Volume and pan alike: reduced to two decimals, applied as a whole number
// only when in range and the slot holds a sound.
void setlevel(Game& g, int slot, double& w, double lowest, double highest,
              void (SoundDevice::*apply)(int, int), const char* failure) {
    try {
        w = twodecimals(w);
        if (!(w >= lowest && w <= highest) || !holdssound(g, slot)) return;
        (g.platform.sound.*apply)(slot, static_cast<int>(halfeven(w)));
    } catch (const std::exception& e) {
        g.debuglog(failure + std::string(e.what()));
    }
}

std::string replaceall(const std::string& text, const std::string& what, const std::string& with) {
    std::string out;
    size_t from = 0;
    for (size_t at; (at = text.find(what, from)) != std::string::npos; from = at + what.size())
        out.append(text, from, at - from).append(with);
    out.append(text, from);
    return out;
}

// setsound, telling whether the requested sound is now in the slot.
bool changesound(Game& g, int bufferindex, std::string& tempm) {
    try {
        // Blanks around the path go, but the program folder is taken as it
        // is: only the fixed part after it is trimmed and rewritten.
        const std::string& app = g.folders.app;
        const auto inapp = [&] { return !app.empty() && tempm.compare(0, app.size(), app) == 0; };
        if (!inapp()) tempm.erase(0, std::min(tempm.find_first_not_of(' '), tempm.size()));
        const size_t fixed = inapp() ? app.size() : 0;
        while (tempm.size() > fixed && tempm.back() == ' ') tempm.pop_back();
        if (tempm.empty()) return false;

        const std::string original = tempm;
        tempm = tempm.substr(0, fixed) +
                replaceall(tempm.substr(fixed), "/sounds/", "/" + g.sound.soundfolder + "/");
        // A sound set may hold only some of the files; the rest come from "sounds".
        if (!g.platform.files.exists(tempm)) tempm = original;
        return loadslot(g, bufferindex, tempm);
    } catch (const std::exception& e) {
        g.debuglog(std::string("error in setsound: ") + e.what());
        g.debuglog(tempm);
        return false;
    }
}

}  // namespace

void Game::makesound(std::string tempm, double tempv, double tempp, int temploop, int bufferindex) {
    if (sound.soundfolder.empty()) return;
    if (bufferindex == -1) {
        // Slots 0 and 1 are never chosen, so rotation runs 2..numbuffers.
        sound.nextbuffer += 1;
        if (sound.nextbuffer > sound.numbuffers) sound.nextbuffer = 1;
        if (sound.nextbuffer < 2) sound.nextbuffer = 2;
        bufferindex = sound.nextbuffer;
    }
    // Without the requested sound the slot would play whatever it held before.
    if (!changesound(*this, bufferindex, tempm)) return;
    setvol(bufferindex, tempv);
    setpan(bufferindex, tempp);
    try {
        platform.sound.play(bufferindex, temploop);
    } catch (const std::exception&) {
        // A sound that cannot play is simply not heard.
    }
}

void Game::setsound(int bufferindex, std::string& tempm) {
    changesound(*this, bufferindex, tempm);
}

void Game::preloadsounds() {
    // Always the standard set: the sound folder is not known yet.
    const std::string path = apppath("/sounds/menu/arrows.wav");
    const int last = std::min(sound.numbuffers, static_cast<int>(sound.soundbuffer.size()) - 1);
    for (int slot = 0; slot <= last; ++slot) loadslot(*this, slot, path);
}

void Game::setvol(int z, double& w) {
    setlevel(*this, z, w, -5000, 0, &SoundDevice::set_volume, "error in setvol: ");
}

void Game::setpan(int z, double& w) {
    setlevel(*this, z, w, -10000, 10000, &SoundDevice::set_pan, "error in setpan: ");
}

void Game::sound2d(int tempa, int tempb, double& tempv, double& tempp) {
    switch (tempa) {
        case 1:
            tempp = -2500;
            break;
        case 2:
            tempp = 0;
            break;
        case 3:
            tempp = 2500;
            break;
        default:
            break;
    }
    switch (tempb) {
        case 1:
            tempv = -2000;
            break;
        case 2:
            tempv = -1000;
            break;
        case 3:
            tempv = 0;
            break;
        default:
            break;
    }
}

}  // namespace velloxa
