// The game's sound set, synthesised: the menu sounds, the drops, the capture
// and one sound for every tile sound the catalogue names. Deterministic: the
// same samples on every run.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace velloxa::sound {

constexpr double kRate = 44100;

using Wave = std::vector<double>;

struct MadeSound {
    std::string file;    // relative to the sound folder, e.g. "tiles/newt.wav"
    Wave wave;           // mono, kRate, full scale at +-1
    double limiting_db;  // the deepest gain reduction the limiter applied
};

std::vector<MadeSound> make_sound_set();

// 16-bit PCM mono WAV.
void write_wav(const std::filesystem::path& path, const Wave& wave);

}  // namespace velloxa::sound
