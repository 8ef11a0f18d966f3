// Loudness as the ear weighs it: the K-weighting of ITU-R BS.1770 (a high
// shelf for the head's effect, then a high-pass that discounts what the ear
// barely hears), over the loudest short window of a sound.
#pragma once

#include <cstddef>
#include <vector>

namespace velloxa::sound {

struct Biquad {
    double b0, b1, b2, a1, a2;  // a0 is 1
};

// The two stages of the K-weighting for `rate` samples a second. The
// standard publishes them for 48 kHz; other rates get the same analogue
// response through the bilinear transform.
Biquad k_shelf(double rate);
Biquad k_highpass(double rate);

// The samples through both stages, followed by `tail` samples of the ring-out.
std::vector<double> k_weighted(const std::vector<double>& samples, double rate,
                               std::size_t tail = 0);

// The loudness of the loudest `window` seconds, in LUFS; silence after the end
// counts, so a blip shorter than the window is quieter than a held tone.
double short_loudness(const std::vector<double>& samples, double rate, double window = 0.1);

}  // namespace velloxa::sound
