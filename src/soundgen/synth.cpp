// The sound set: menu/arrows.wav, menu/enter.wav, drop1..4.wav, capture.wav
// and tiles/<sound name>.wav for every tile sound named by the catalogue. Each
// tile sound gets a character from its tile's name and description (a bird
// chirps, a wolf howls) and details from a hash of the sound name, so no two
// names sound alike.
#include "soundgen/synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "cards/catalogue.h"
#include "soundgen/loudness.h"

namespace velloxa::sound {
namespace {

namespace fs = std::filesystem;

constexpr double kPi = 3.14159265358979323846;
constexpr double kMaxSeconds = 1.1;

// ---- basic tools

uint64_t hash(const std::string& s) {
    uint64_t h = 1469598103934665603ULL;  // FNV-1a
    for (unsigned char c : s) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return h;
}

class Dice {
  public:
    explicit Dice(uint64_t seed) : state_(seed | 1) {}
    double next() {  // [0, 1)
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<double>(state_ >> 11) * 0x1.0p-53;
    }
    double range(double lo, double hi) { return lo + (hi - lo) * next(); }
    double noise() { return next() * 2 - 1; }
    int pick(int n) { return static_cast<int>(next() * n); }

  private:
    uint64_t state_;
};

size_t frames(double seconds) {
    return static_cast<size_t>(seconds * kRate);
}

// Two-pole resonant filter (RBJ biquad); kinds: low, high, band.
class Filter {
  public:
    enum Kind { kLow, kHigh, kBand };
    explicit Filter(Kind kind) : kind_(kind) {}
    double run(double x, double freq, double q) {
        freq = std::clamp(freq, 20.0, kRate * 0.45);
        const double w = 2 * kPi * freq / kRate;
        const double alpha = std::sin(w) / (2 * q);
        const double c = std::cos(w);
        double b0, b1, b2;
        switch (kind_) {
            case kLow:
                b0 = (1 - c) / 2, b1 = 1 - c, b2 = (1 - c) / 2;
                break;
            case kHigh:
                b0 = (1 + c) / 2, b1 = -(1 + c), b2 = (1 + c) / 2;
                break;
            default:
                b0 = alpha, b1 = 0, b2 = -alpha;
                break;
        }
        const double a0 = 1 + alpha, a1 = -2 * c, a2 = 1 - alpha;
        const double y = (b0 * x + b1 * x1_ + b2 * x2_ - a1 * y1_ - a2 * y2_) / a0;
        x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
        return y;
    }

  private:
    Kind kind_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Exponential decay with a short linear attack.
double pluck(double t, double attack, double decay) {
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

// Rises, holds and falls over the sound's length.
double swell(double t, double length, double attack, double release) {
    if (t < attack) return t / attack;
    if (t > length - release) return std::max(0.0, (length - t) / release);
    return 1;
}

void add(Wave& to, const Wave& from, double gain = 1, double at = 0) {
    const size_t start = frames(at);
    if (to.size() < start + from.size()) to.resize(start + from.size());
    for (size_t i = 0; i < from.size(); ++i) to[start + i] += gain * from[i];
}

// Every sound of the set is brought to one loudness as the ear weighs it
// (K-weighted, over its loudest 100 ms), so that none drowns under the voice
// when the game lowers it toward the top row, and none startles. Peaks stay
// below the ceiling; a sound whose peaks would go far past it must be made
// denser, not pushed into the limiter.
constexpr double kLoudness = -16;
constexpr double kCeiling = -1.5;
// A menu key's sound plays with the line it leads into: it sits about 10 dB
// under the voice, whose loudest 100 ms read -15 LUFS at the default rate
// and -18 at the fastest, so the line's first word stays clear.
constexpr double kMenuLoudness = -26;
// The battle waits half a second after a tile's own sound; whatever rings
// past that sounds under the line or the sound that follows.
constexpr double kTileSeconds = 0.48;

// Lowers the gain around every peak above `ceiling` (linear): the gain falls
// within 2 ms before the peak and recovers over 15 ms after it, so clicks and
// crackles can be as loud as a held tone without clipping or pumping.
Wave limit(Wave w, double ceiling) {
    std::vector<double> gain(w.size(), 1.0);
    for (size_t i = 0; i < w.size(); ++i)
        if (std::abs(w[i]) > ceiling) gain[i] = ceiling / std::abs(w[i]);
    const double release = 1 - std::exp(-1 / (0.015 * kRate));
    const double attack = 1 - std::exp(-1 / (0.002 * kRate));
    for (size_t i = 1; i < gain.size(); ++i)
        gain[i] = std::min(gain[i], gain[i - 1] + (1 - gain[i - 1]) * release);
    for (size_t i = gain.size(); i-- > 1;)
        gain[i - 1] = std::min(gain[i - 1], gain[i] + (1 - gain[i]) * attack);
    for (size_t i = 0; i < w.size(); ++i) w[i] *= gain[i];
    return w;
}

// Kept inside the band a laptop or phone speaker plays, trimmed, faded at
// both ends so nothing clicks, and brought to the set's loudness. Limiting
// takes a little loudness away, so the gain is found again a few times; the
// last step is always the limiter, which keeps the peaks. The limiting
// reported is how far the loudest peak would have gone past the ceiling with
// the gain alone.
MadeSound finish(Wave w, double loudness = kLoudness, double longest = kMaxSeconds) {
    w.resize(std::min(w.size(), frames(longest)));
    Filter below(Filter::kHigh), above(Filter::kLow);
    for (double& v : w) v = above.run(below.run(v, 120, 0.707), 9000, 0.707);
    // Trailing near-silence is cut.
    double peak = 0;
    for (double v : w) peak = std::max(peak, std::abs(v));
    if (peak <= 0) return {"", Wave(frames(0.05), 0.0), 0};
    size_t end = w.size();
    while (end > frames(0.05) && std::abs(w[end - 1]) < peak * 0.002) --end;
    w.resize(end);
    const size_t fade_in = std::min(w.size() / 4, frames(0.003));
    const size_t fade_out = std::min(w.size() / 3, frames(0.03));
    for (size_t i = 0; i < w.size(); ++i) {
        double g = 1;
        if (i < fade_in) g *= static_cast<double>(i) / fade_in;
        const size_t from_end = w.size() - 1 - i;
        if (from_end < fade_out) g *= 0.5 - 0.5 * std::cos(kPi * from_end / fade_out);
        w[i] *= g;
    }
    const double ceiling = std::pow(10.0, kCeiling / 20);
    double total = 1;
    peak = 0;
    for (double v : w) peak = std::max(peak, std::abs(v));
    for (int pass = 0; pass < 30; ++pass) {
        const double off = loudness - short_loudness(w, kRate);
        if (pass > 0 && std::abs(off) < 0.05) break;
        const double gain = std::pow(10.0, off / 20);
        total *= gain;
        for (double& v : w) v *= gain;
        w = limit(std::move(w), ceiling);
    }
    return {"", std::move(w), std::max(0.0, 20 * std::log10(peak * total / ceiling))};
}

}  // namespace

void write_wav(const fs::path& path, const Wave& w) {
    std::vector<int16_t> pcm(w.size());
    for (size_t i = 0; i < w.size(); ++i)
        pcm[i] = static_cast<int16_t>(std::lround(std::clamp(w[i], -1.0, 1.0) * 32767));
    const uint32_t data = static_cast<uint32_t>(pcm.size() * 2);
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&](uint16_t v) {
        out.put(static_cast<char>(v & 0xFF));
        out.put(static_cast<char>(v >> 8));
    };
    out.write("RIFF", 4);
    u32(36 + data);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono: the game places it in the stereo field
    u32(static_cast<uint32_t>(kRate));
    u32(static_cast<uint32_t>(kRate) * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(data);
    for (int16_t s : pcm) u16(static_cast<uint16_t>(s));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

namespace {

// ---- building blocks

// A tone whose frequency follows `pitch(t)`, with a few harmonics.
Wave tone(double seconds, const std::function<double(double)>& pitch,
          const std::function<double(double)>& level, std::vector<double> harmonics = {1}) {
    Wave w(frames(seconds));
    double phase = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        const double t = i / kRate;
        phase += 2 * kPi * pitch(t) / kRate;
        double v = 0;
        for (size_t h = 0; h < harmonics.size(); ++h) v += harmonics[h] * std::sin(phase * (h + 1));
        w[i] = v * level(t);
    }
    return w;
}

// Filtered noise; the filter's centre follows `freq(t)`.
Wave hiss(double seconds, Dice& dice, Filter::Kind kind, const std::function<double(double)>& freq,
          double q, const std::function<double(double)>& level) {
    Wave w(frames(seconds));
    Filter f(kind);
    for (size_t i = 0; i < w.size(); ++i) {
        const double t = i / kRate;
        w[i] = f.run(dice.noise(), freq(t), q) * level(t);
    }
    return w;
}

// A voiced sound through vowel formants: the base of every creature call.
// A voiced sound whose vowel may change: formants follow f1(t) and f2(t).
Wave gliding_voice(double seconds, const std::function<double(double)>& pitch,
                   const std::function<double(double)>& f1, const std::function<double(double)>& f2,
                   double breath, Dice& dice, const std::function<double(double)>& level) {
    Wave w(frames(seconds));
    Filter a(Filter::kBand), b(Filter::kBand), c(Filter::kBand);
    double phase = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        const double t = i / kRate;
        phase += pitch(t) / kRate;
        phase -= std::floor(phase);
        const double source = (1 - 2 * phase) * (1 - breath) + dice.noise() * breath;
        const double v = a.run(source, f1(t), 5) + 0.7 * b.run(source, f2(t), 6) +
                         0.3 * c.run(source, f2(t) * 1.6 + 500, 6);
        w[i] = v * level(t);
    }
    return w;
}

// A voiced sound through fixed vowel formants: the base of most creature calls.
Wave voice(double seconds, const std::function<double(double)>& pitch, double f1, double f2,
           double breath, Dice& dice, const std::function<double(double)>& level) {
    return gliding_voice(
        seconds, pitch, [f1](double) { return f1; }, [f2](double) { return f2; }, breath, dice,
        level);
}

// ---- the fixed sounds

Wave arrows() {
    return tone(
        0.06, [](double t) { return 1500 - 3000 * t; },
        [](double t) { return pluck(t, 0.002, 0.015); }, {1, 0.2});
}

Wave enter() {
    Wave w;
    const double notes[] = {660, 990};
    for (int n = 0; n < 2; ++n) {
        const double f = notes[n];
        add(w,
            tone(
                0.04, [f](double) { return f; }, [](double t) { return pluck(t, 0.002, 0.01); },
                {1, 0.3, 0.1}),
            0.8, 0.025 * n);
    }
    return w;
}

// A tile set down on the board: the knock of its body on the table, pitched
// where a small speaker still plays it, and the click of its edge between 1
// and 3 kHz, which any speaker carries.
Wave drop(int n) {
    Dice dice(hash("drop" + std::to_string(n)));
    const double body[] = {0, 330, 260, 390, 220};
    const double click[] = {0, 2200, 1500, 2700, 1200};
    const double f = body[n];
    Wave w = tone(
        0.2, [f](double t) { return f * (0.8 + 0.2 * std::exp(-t / 0.02)); },
        [](double t) { return 0.6 * pluck(t, 0.004, 0.06); }, {1, 0.5, 0.3, 0.15});
    const double c = click[n];
    add(w,
        tone(
            0.05, [c](double) { return c; }, [](double t) { return pluck(t, 0.001, 0.011); }),
        0.9);
    add(w,
        hiss(
            0.05, dice, Filter::kBand, [c](double) { return c; }, 3,
            [](double t) { return pluck(t, 0.0005, 0.008); }),
        2.5);
    return w;
}

// A tile taken: a swish upwards and a bright two-note stab.
Wave capture() {
    Dice dice(hash("capture"));
    Wave w = hiss(
        0.35, dice, Filter::kBand, [](double t) { return 600 + 9000 * t; }, 3,
        [](double t) { return swell(t, 0.35, 0.2, 0.15); });
    for (double f : {784.0, 1175.0})
        add(w,
            tone(
                0.4, [f](double) { return f; }, [](double t) { return pluck(t, 0.003, 0.09); },
                {1, 0.4, 0.2, 0.1}),
            0.5, 0.22);
    return w;
}

// ---- tile sounds: one recipe per kind of creature or thing

struct Traits {
    double pitch;  // a base frequency for this name
    double speed;  // how busy the sound is
    double length;
    Dice dice;
};

Wave bird(Traits& tr) {
    Wave w;
    const int calls = 2 + tr.dice.pick(2);
    const double base = 1800 + tr.pitch * 4;
    double at = 0;
    for (int i = 0; i < calls; ++i) {
        const double start = base * tr.dice.range(0.8, 1.2), rise = tr.dice.range(0.5, 1.2);
        const double len = tr.dice.range(0.05, 0.08);
        add(w,
            tone(
                len, [=](double t) { return start * (1 + rise * t / len); },
                [=](double t) { return swell(t, len, 0.01, 0.03); }, {1, 0.15}),
            1, at);
        at += len * tr.dice.range(1.3, 1.7);
    }
    return w;
}

Wave howl(Traits& tr) {
    const double len = std::min(1.0, tr.length + 0.3), f = tr.pitch * 1.5;
    return voice(
        len,
        [=](double t) {
            return f * (1 + 0.6 * std::sin(kPi * t / len)) * (1 + 0.02 * std::sin(30 * t));
        },
        500, 900, 0.1, tr.dice, [=](double t) { return swell(t, len, 0.15, 0.3); });
}

Wave growl(Traits& tr) {
    const double len = tr.length, f = tr.pitch * 0.4;
    Dice& d = tr.dice;
    Wave w = voice(
        len, [=](double t) { return f * (1 + 0.15 * std::sin(2 * kPi * 7 * t)); }, 350, 700, 0.35,
        d,
        [=](double t) {
            return swell(t, len, 0.05, 0.2) * (0.7 + 0.3 * std::sin(2 * kPi * 18 * t));
        });
    return w;
}

Wave roar(Traits& tr) {
    const double len = tr.length + 0.05, f = tr.pitch * 0.5;
    Wave w = voice(
        len, [=](double t) { return f * (1.3 - 0.5 * t / len); }, 600, 1100, 0.5, tr.dice,
        [=](double t) { return swell(t, len, 0.05, 0.2); });
    add(w,
        hiss(
            len, tr.dice, Filter::kLow, [](double) { return 400; }, 0.7,
            [=](double t) { return swell(t, len, 0.05, 0.2); }),
        0.8);
    return w;
}

Wave buzz(Traits& tr) {
    const double len = tr.length, f = tr.pitch * 0.9;
    return tone(
        len, [=](double t) { return f * (1 + 0.08 * std::sin(2 * kPi * 6 * t)); },
        [=](double t) {
            return swell(t, len, 0.05, 0.15) * (0.75 + 0.25 * std::sin(2 * kPi * 23 * t));
        },
        {1, 0.7, 0.5, 0.4, 0.3, 0.25, 0.2});
}

Wave squeak(Traits& tr) {
    Wave w;
    const double f = tr.pitch * 6;
    for (int i = 0; i < 2; ++i)
        add(w,
            tone(
                0.09, [=](double t) { return f * (1 + 2.5 * t) * (i ? 1.15 : 1); },
                [](double t) { return swell(t, 0.09, 0.01, 0.04); }, {1, 0.3}),
            1, i * 0.13);
    return w;
}

Wave hissing(Traits& tr) {
    const double len = tr.length;
    return hiss(
        len, tr.dice, Filter::kHigh, [=](double) { return 3000 + tr.pitch * 5; }, 0.8,
        [=](double t) { return swell(t, len, 0.1, 0.3); });
}

Wave croak(Traits& tr) {
    Wave w;
    const double f = tr.pitch * 0.25;
    for (int i = 0; i < 2; ++i)
        add(w,
            voice(
                0.17, [=](double) { return f; }, 400, 1300, 0.05, tr.dice,
                [](double t) {
                    return swell(t, 0.17, 0.02, 0.06) * (std::sin(2 * kPi * 40 * t) > 0 ? 1 : 0.2);
                }),
            1, i * 0.24);
    return w;
}

Wave water(Traits& tr) {
    const double len = tr.length;
    Wave w = hiss(
        len, tr.dice, Filter::kBand, [=](double t) { return 1200 + 800 * std::sin(9 * t); }, 1.5,
        [=](double t) { return swell(t, len, 0.02, 0.4) * 0.5; });
    const int bubbles = 4 + tr.dice.pick(4);
    for (int i = 0; i < bubbles; ++i) {
        const double f = tr.pitch * tr.dice.range(2, 5);
        add(w,
            tone(
                0.05, [=](double t) { return f * (1 + 6 * t); },
                [](double t) { return pluck(t, 0.002, 0.015); }),
            0.7, tr.dice.range(0, len - 0.06));
    }
    return w;
}

Wave fire(Traits& tr) {
    const double len = tr.length;
    Wave w = hiss(
        len, tr.dice, Filter::kLow, [](double) { return 600; }, 0.7,
        [=](double t) { return swell(t, len, 0.1, 0.3); });
    const int cracks = 8 + tr.dice.pick(8);
    for (int i = 0; i < cracks; ++i)
        add(w,
            hiss(
                0.012, tr.dice, Filter::kHigh, [](double) { return 2500; }, 0.7,
                [](double t) { return pluck(t, 0.0005, 0.003); }),
            tr.dice.range(0.6, 1.5), tr.dice.range(0, len - 0.02));
    return w;
}

Wave bell(Traits& tr) {
    const double f = tr.pitch * 3, len = 1.0;
    Wave w;
    const double partials[] = {1, 2.76, 5.4, 8.93};
    for (int i = 0; i < 4; ++i) {
        const double p = f * partials[i];
        add(w,
            tone(
                len, [=](double) { return p; },
                [=](double t) { return pluck(t, 0.002, 0.35 / (1 + i)); }),
            1.0 / (1 + i));
    }
    return w;
}

Wave spooky(Traits& tr) {
    const double len = std::min(1.05, tr.length + 0.3), f = tr.pitch * 2;
    Wave w = tone(
        len,
        [=](double t) {
            return f * (1 + 0.25 * std::sin(kPi * t / len)) *
                   (1 + 0.03 * std::sin(2 * kPi * 5 * t));
        },
        [=](double t) { return swell(t, len, 0.2, 0.35); }, {1, 0, 0.2});
    add(w,
        hiss(
            len, tr.dice, Filter::kBand, [=](double t) { return 500 + 1500 * t / len; }, 2,
            [=](double t) { return swell(t, len, 0.2, 0.3); }),
        0.6);
    return w;
}

Wave rumble(Traits& tr) {
    const double len = tr.length;
    Wave w = hiss(
        len, tr.dice, Filter::kLow, [=](double) { return 150 + tr.pitch * 0.3; }, 1.2,
        [=](double t) { return swell(t, len, 0.05, 0.3); });
    add(w,
        tone(
            len, [=](double) { return tr.pitch * 0.2; },
            [=](double t) { return swell(t, len, 0.05, 0.3); }),
        0.4);
    return w;
}

Wave clank(Traits& tr) {
    Wave w;
    for (int hit = 0; hit < 2; ++hit) {
        const double f = tr.pitch * (hit ? 4.3 : 3.1);
        for (double ratio : {1.0, 1.47, 2.09, 2.56})
            add(w,
                tone(
                    0.3, [=](double) { return f * ratio; },
                    [](double t) { return pluck(t, 0.001, 0.05); }),
                0.4, hit * 0.12);
    }
    return w;
}

Wave zap(Traits& tr) {
    const double len = std::min(tr.length, 0.6), f = tr.pitch * 4;
    Wave w = tone(
        len, [=](double t) { return f * std::exp(-3 * t); },
        [=](double t) { return swell(t, len, 0.005, 0.2); }, {1, 0.5, 0.33, 0.25, 0.2, 0.16});
    add(w,
        hiss(
            len, tr.dice, Filter::kHigh, [](double) { return 4000; }, 0.7,
            [=](double t) {
                return swell(t, len, 0.005, 0.3) * (std::sin(2 * kPi * 60 * t) > 0.6 ? 1 : 0);
            }),
        0.5);
    return w;
}

Wave wings(Traits& tr) {
    Wave w;
    const int beats = 3 + tr.dice.pick(3);
    for (int i = 0; i < beats; ++i)
        add(w,
            hiss(
                0.12, tr.dice, Filter::kBand, [=](double) { return tr.pitch * 2; }, 1,
                [](double t) { return swell(t, 0.12, 0.04, 0.07); }),
            1, i * 0.14);
    return w;
}

Wave chatter(Traits& tr) {  // an animal voice, pitch and vowel from the name
    Wave w;
    const int syllables = 1 + tr.dice.pick(3);
    const double vowels[][2] = {{800, 1150}, {450, 800}, {400, 2000}, {300, 2300}, {325, 700}};
    for (int i = 0; i < syllables; ++i) {
        const auto& v = vowels[tr.dice.pick(5)];
        const double f = tr.pitch * tr.dice.range(0.8, 1.3), bend = tr.dice.range(-0.4, 0.4);
        const double len = std::min(0.35, tr.length / syllables);
        add(w,
            voice(
                len, [=](double t) { return f * (1 + bend * t / len); }, v[0], v[1], 0.15, tr.dice,
                [=](double t) { return swell(t, len, 0.02, len * 0.4); }),
            1, i * len * 1.1);
    }
    return w;
}

Wave sparkle(Traits& tr) {  // magic, light, crystals
    Wave w;
    const int notes = 4 + tr.dice.pick(4);
    const double scale[] = {1, 1.125, 1.25, 1.5, 1.667, 2};
    for (int i = 0; i < notes; ++i) {
        const double f = tr.pitch * 4 * scale[tr.dice.pick(6)];
        add(w,
            tone(
                0.3, [=](double) { return f; }, [](double t) { return pluck(t, 0.002, 0.07); },
                {1, 0, 0.2}),
            0.6, i * 0.07);
    }
    return w;
}

Wave hoot(Traits& tr) {  // owls
    Wave w;
    const double f = 300 + tr.pitch * 0.3;
    for (int i = 0; i < 2; ++i) {
        const double g = f * (i ? 0.85 : 1), len = i ? 0.25 : 0.15;
        add(w,
            tone(
                len, [=](double t) { return g * (1 + 0.04 * std::sin(kPi * t / len)); },
                [=](double t) { return swell(t, len, 0.04, len * 0.5); }, {1, 0.25, 0.05}),
            1, i * 0.2);
        add(w,
            hiss(
                len, tr.dice, Filter::kBand, [=](double) { return g * 2; }, 2,
                [=](double t) { return swell(t, len, 0.04, len * 0.5); }),
            0.15, i * 0.2);
    }
    return w;
}

Wave bleat(Traits& tr) {  // goats and rams
    const double len = 0.45, f = 180 + tr.pitch * 0.5;
    return voice(
        len, [=](double t) { return f * (1 + 0.06 * std::sin(2 * kPi * 9 * t)) * (1.1 - 0.3 * t); },
        450, 1900, 0.08, tr.dice,
        [=](double t) {
            return swell(t, len, 0.03, 0.15) * (0.65 + 0.35 * std::sin(2 * kPi * 11 * t));
        });
}

Wave meow(Traits& tr) {  // cats
    const double len = 0.45, f = 420 + tr.pitch * 0.4;
    return gliding_voice(
        len, [=](double t) { return f * (1 + 0.35 * std::sin(kPi * t / len)); },
        [=](double t) { return 300 + 600 * std::sin(kPi * std::min(1.0, t / (len * 0.7))); },
        [=](double t) { return 2300 - 1100 * t / len; }, 0.05, tr.dice,
        [=](double t) { return swell(t, len, 0.04, 0.18); });
}

Wave trumpet(Traits& tr) {  // mammoths and their like
    const double len = 0.46, f = 170 + tr.pitch * 0.3;
    Wave w = tone(
        len,
        [=](double t) {
            return f * (1 + 0.25 * std::min(1.0, t * 8)) * (1 + 0.02 * std::sin(2 * kPi * 6 * t));
        },
        [=](double t) { return swell(t, len, 0.05, 0.15); },
        {1, 0.9, 0.8, 0.7, 0.6, 0.5, 0.4, 0.3, 0.25, 0.2});
    add(w,
        hiss(
            len, tr.dice, Filter::kBand, [](double) { return 1500; }, 1,
            [=](double t) { return swell(t, len, 0.05, 0.15); }),
        0.3);
    return w;
}

Wave whistle(Traits& tr) {  // marmots
    Wave w;
    const double f = 1900 + tr.pitch * 2;
    for (int i = 0; i < 2; ++i)
        add(w,
            tone(
                0.18, [=](double t) { return f * (1 + 0.3 * std::sin(kPi * t / 0.18)); },
                [](double t) { return swell(t, 0.18, 0.02, 0.06); }, {1, 0.05}),
            1, i * 0.26);
    return w;
}

// The runt of the litter: four quick, nervous sniffs and a thin squeal.
Wave snort(Traits& tr) {
    Wave w;
    for (int i = 0; i < 4; ++i)
        add(w,
            hiss(
                0.05, tr.dice, Filter::kBand, [](double t) { return 1400 + 6000 * t; }, 2,
                [](double t) { return swell(t, 0.05, 0.005, 0.03); }),
            1, i * 0.07);
    const double f = 520 + tr.pitch * 0.2;
    add(w,
        voice(
            0.14, [=](double t) { return f * (1 + 2 * t); }, 900, 2400, 0.2, tr.dice,
            [](double t) { return swell(t, 0.14, 0.01, 0.06); }),
        0.8, 0.3);
    return w;
}

// An old one in its mud: a slow wheezing breath in, then a long, low,
// grumbling snort that stutters.
Wave gaffer(Traits& tr) {
    Wave w = hiss(
        0.16, tr.dice, Filter::kBand, [](double t) { return 400 + 3000 * t; }, 1.5,
        [](double t) { return swell(t, 0.16, 0.1, 0.04); });
    const double len = 0.26, f = 150 + tr.pitch * 0.05;
    add(w,
        voice(
            len, [=](double t) { return f * (1 - 0.5 * t); }, 500, 900, 0.45, tr.dice,
            [=](double t) {
                return swell(t, len, 0.01, 0.1) * (std::sin(2 * kPi * 16 * t) > -0.3 ? 1 : 0.15);
            }),
        1.2, 0.2);
    return w;
}

Wave screech(Traits& tr) {  // birds of prey and sea birds
    const double len = 0.6, f = 1400 + tr.pitch * 2;
    Wave w = voice(
        len,
        [=](double t) {
            return f * (1.2 - 0.5 * t / len) * (1 + 0.03 * std::sin(2 * kPi * 40 * t));
        },
        2200, 3500, 0.3, tr.dice, [=](double t) { return swell(t, len, 0.02, 0.3); });
    add(w,
        tone(
            len, [=](double t) { return f * (1.2 - 0.5 * t / len); },
            [=](double t) { return swell(t, len, 0.02, 0.3); }, {1, 0.4, 0.2}),
        0.08);
    return w;
}

Wave clicks(Traits& tr) {  // claws, shells, stings, spines
    Wave w;
    const int n = 6 + tr.dice.pick(6);
    double at = 0;
    const double centre = 1800 + tr.pitch * 4;
    for (int i = 0; i < n; ++i) {
        const double c = centre * tr.dice.range(0.8, 1.25);
        add(w,
            hiss(
                0.03, tr.dice, Filter::kBand, [=](double) { return c; }, 4,
                [](double t) { return pluck(t, 0.0005, 0.006); }),
            tr.dice.range(0.6, 1), at);
        at += tr.dice.range(0.04, 0.09);
    }
    return w;
}

Wave squelch(Traits& tr) {  // slugs and octopuses
    const double len = 0.5;
    Wave w = hiss(
        len, tr.dice, Filter::kBand, [=](double t) { return 900 - 1400 * t + tr.pitch; }, 6,
        [=](double t) { return swell(t, len, 0.03, 0.2); });
    add(w,
        tone(
            0.12, [=](double t) { return tr.pitch * (1 + 5 * t); },
            [](double t) { return pluck(t, 0.003, 0.04); }),
        0.5, 0.3);
    return w;
}

Wave dig(Traits& tr) {  // burrowers and scurriers
    Wave w;
    const int n = 4 + tr.dice.pick(3);
    for (int i = 0; i < n; ++i)
        add(w,
            hiss(
                0.08, tr.dice, Filter::kBand, [=](double t) { return 1800 + tr.pitch + 4000 * t; },
                1.5, [](double t) { return swell(t, 0.08, 0.01, 0.05); }),
            tr.dice.range(0.6, 1), i * 0.11);
    return w;
}

Wave snap(Traits& tr) {  // jaws
    Wave w = hiss(
        0.05, tr.dice, Filter::kHigh, [](double) { return 1500; }, 0.7,
        [](double t) { return pluck(t, 0.0005, 0.01); });
    add(w,
        tone(
            0.2, [=](double t) { return (80 + tr.pitch * 0.2) * (1 - t); },
            [](double t) { return pluck(t, 0.001, 0.05); }),
        0.8);
    add(w, growl(tr), 0.5, 0.12);
    return w;
}

Wave moan(Traits& tr) {  // whales and narwhals
    const double len = 0.47, f = 140 + tr.pitch * 0.4;
    return tone(
        len, [=](double t) { return f * (1 + 0.8 * std::sin(kPi * t / len) - 0.6 * t); },
        [=](double t) { return swell(t, len, 0.12, 0.15); }, {1, 0.5, 0.25, 0.1});
}

Wave purr(Traits& tr) {  // great cats
    const double len = 0.46;
    Wave w = voice(
        len, [=](double) { return 50 + tr.pitch * 0.05; }, 300, 700, 0.5, tr.dice,
        [=](double t) {
            return swell(t, len, 0.06, 0.15) * (0.5 + 0.5 * std::sin(2 * kPi * 24 * t));
        });
    add(w, growl(tr), 0.4, 0.05);
    return w;
}

Wave bark(Traits& tr) {  // hounds: "woof, woof-woof"
    Wave w;
    const double f = 300 + tr.pitch * 0.5;
    const double at[] = {0, 0.2, 0.32};
    for (int i = 0; i < 3; ++i)
        add(w,
            voice(
                0.12, [=](double t) { return f * (1.2 - 2.5 * t); }, 750, 1250, 0.25, tr.dice,
                [](double t) { return swell(t, 0.12, 0.005, 0.06); }),
            1, at[i]);
    return w;
}

Wave inferno(Traits& tr) {  // fire dragons
    Wave w = roar(tr);
    add(w, fire(tr), 0.7);
    return w;
}

// ---- tile sounds of their own: creatures that shared a recipe differ in
// rhythm, length, pitch movement and texture, not only in pitch

// A resonant click that rings for a few milliseconds: a run of them has a
// body, so it reaches the set's loudness without the limiter.
Wave ring_click(Dice& dice, double centre, double q, double ring) {
    return hiss(
        ring * 5, dice, Filter::kBand, [=](double) { return centre; }, q,
        [=](double t) { return pluck(t, 0.0005, ring); });
}

// A sea bird's call over the waves: a short rising "whoo", a breath, then a
// smooth wail that falls away.
Wave albatross(Traits& tr) {
    const double f = 480 + tr.pitch * 0.3;
    Wave w = gliding_voice(
        0.14, [=](double t) { return f * (1 + 2.8 * t); }, [](double) { return 700; },
        [](double) { return 1500; }, 0.05, tr.dice,
        [](double t) { return swell(t, 0.14, 0.05, 0.04); });
    const double len = 0.28;
    add(w,
        gliding_voice(
            len, [=](double t) { return f * (1.4 - 0.6 * t / len); },
            [=](double t) { return 900 - 300 * t / len; }, [](double) { return 1500; }, 0.05,
            tr.dice, [=](double t) { return swell(t, len, 0.02, 0.18); }),
        1, 0.19);
    return w;
}

// One short, harsh, low squawk, rough with a fast flutter.
Wave heron(Traits& tr) {
    const double len = 0.3, f = 260 + tr.pitch * 0.1;
    return voice(
        len, [=](double t) { return f * (1 - 0.3 * t); }, 700, 1600, 0.45, tr.dice,
        [=](double t) {
            return swell(t, len, 0.01, 0.12) * (0.55 + 0.45 * std::sin(2 * kPi * 55 * t));
        });
}

// A run of five thin yelps, quickening and stepping down.
Wave eagle(Traits& tr) {
    Wave w;
    double at = 0;
    const double f = 1500 + tr.pitch;
    for (int i = 0; i < 5; ++i) {
        const double g = f * (1 - 0.06 * i), len = 0.055;
        add(w,
            tone(
                len, [=](double t) { return g * (1 + 1.5 * t); },
                [=](double t) { return swell(t, len, 0.005, 0.03); }, {1, 0.5, 0.25}),
            1, at);
        at += 0.1 - 0.01 * i;
    }
    return w;
}

// A sharp "kek", then a long scream that rises and trills.
Wave falcon(Traits& tr) {
    const double f = 1100 + tr.pitch;
    Wave w = tone(
        0.05, [=](double) { return f * 1.3; }, [](double t) { return pluck(t, 0.002, 0.012); },
        {1, 0.6, 0.3});
    const double len = 0.34;
    add(w,
        voice(
            len,
            [=](double t) {
                return f * (0.8 + 0.5 * t / len) * (1 + 0.05 * std::sin(2 * kPi * 14 * t));
            },
            2000, 3200, 0.15, tr.dice, [=](double t) { return swell(t, len, 0.1, 0.08); }),
        1, 0.1);
    return w;
}

// A heavy bear: one long, low roar that sinks and shakes, ending in a
// breathy huff.
Wave bear(Traits& tr) {
    const double len = 0.34, f = 80 + tr.pitch * 0.05;
    Wave w = voice(
        len,
        [=](double t) {
            return f * (1.1 - 0.3 * t / len) * (1 + 0.08 * std::sin(2 * kPi * 11 * t));
        },
        450, 900, 0.35, tr.dice, [=](double t) { return swell(t, len, 0.04, 0.12); });
    add(w,
        hiss(
            0.1, tr.dice, Filter::kBand, [](double t) { return 500 + 800 * t / 0.1; }, 1.2,
            [](double t) { return swell(t, 0.1, 0.01, 0.07); }),
        0.9, 0.36);
    return w;
}

// Two rising shrieks with a rasp in them, the second higher.
Wave wyvern(Traits& tr) {
    Wave w;
    const double f = 600 + tr.pitch * 0.3;
    for (int i = 0; i < 2; ++i) {
        const double len = i ? 0.2 : 0.16, g = f * (i ? 1.4 : 1);
        add(w,
            voice(
                len, [=](double t) { return g * (0.7 + 1.2 * t / len); }, 1200, 2600, 0.4, tr.dice,
                [=](double t) {
                    return swell(t, len, 0.02, 0.06) * (0.7 + 0.3 * std::sin(2 * kPi * 33 * t));
                }),
            1, i * 0.24);
    }
    return w;
}

// One slow wet smear that glides down, fading in and out.
Wave slug(Traits& tr) {
    const double len = 0.46;
    return hiss(
        len, tr.dice, Filter::kBand, [=](double t) { return 1100 - 700 * t / len; }, 5,
        [=](double t) { return swell(t, len, 0.2, 0.2); });
}

// Three quick suction pops, each a bubble rising in pitch.
Wave octopus(Traits& tr) {
    Wave w;
    const double f = 300 + tr.pitch * 0.3;
    const double at[] = {0, 0.11, 0.3};
    for (int i = 0; i < 3; ++i) {
        const double g = f * (1 + 0.25 * i);
        add(w,
            tone(
                0.07, [=](double t) { return g * (1 + 9 * t); },
                [](double t) { return pluck(t, 0.002, 0.02); }, {1, 0.3}),
            1, at[i]);
        add(w, ring_click(tr.dice, g * 4, 3, 0.006), 0.5, at[i]);
    }
    return w;
}

// A soft rolled trill, like a very small frog's purr.
Wave newt(Traits& tr) {
    const double len = 0.35, f = 380 + tr.pitch * 0.2;
    return voice(
        len, [=](double t) { return f * (1 + 0.1 * t); }, 600, 1500, 0.1, tr.dice,
        [=](double t) {
            return swell(t, len, 0.03, 0.1) * (std::sin(2 * kPi * 22 * t) > 0 ? 1 : 0.1);
        });
}

// A quick, uneven chatter of clucks.
Wave ferret(Traits& tr) {
    Wave w;
    const double f = 700 + tr.pitch * 0.5;
    double at = 0;
    for (int i = 0; i < 6; ++i) {
        const double len = tr.dice.range(0.03, 0.05);
        add(w,
            voice(
                len, [=](double t) { return f * (1.2 - 4 * t); }, 900, 2200, 0.3, tr.dice,
                [=](double t) { return swell(t, len, 0.004, 0.02); }),
            1, at);
        at += tr.dice.range(0.06, 0.08);
    }
    return w;
}

// Three great wingbeats, deep whooshes that sink, the last one slowest.
Wave condor(Traits& tr) {
    Wave w;
    const double at[] = {0, 0.13, 0.28}, len[] = {0.11, 0.13, 0.18};
    for (int i = 0; i < 3; ++i) {
        const double l = len[i];
        add(w,
            hiss(
                l, tr.dice, Filter::kBand, [=](double t) { return 600 - 1500 * t; }, 1.0,
                [=](double t) { return swell(t, l, l * 0.4, l * 0.5); }),
            1, at[i]);
    }
    return w;
}

// Slow strokes of broad fins under water: a hum that sinks in two swells.
Wave manta(Traits& tr) {
    const double len = 0.46, f = 260 + tr.pitch * 0.2;
    const auto strokes = [=](double t) {
        return swell(t, len, 0.03, 0.1) * std::pow(std::sin(kPi * 2 * t / len), 2);
    };
    Wave w = tone(len, [=](double t) { return f * (1.2 - 0.4 * t / len); }, strokes, {1, 0.5, 0.3});
    add(w,
        hiss(
            len, tr.dice, Filter::kBand, [=](double t) { return 1200 - 600 * t / len; }, 2,
            strokes),
        0.5);
    return w;
}

// Two quick grunts, then a bugle that climbs high.
Wave stag(Traits& tr) {
    Wave w;
    const double f = 200 + tr.pitch * 0.1;
    for (int i = 0; i < 2; ++i)
        add(w,
            voice(
                0.06, [=](double) { return f; }, 500, 1100, 0.3, tr.dice,
                [](double t) { return swell(t, 0.06, 0.005, 0.03); }),
            1, i * 0.1);
    const double len = 0.26;
    add(w,
        voice(
            len, [=](double t) { return f * (1.1 + 1.2 * t / len); }, 700, 1700, 0.15, tr.dice,
            [=](double t) { return swell(t, len, 0.05, 0.08); }),
        1, 0.21);
    return w;
}

// Two buzzing flights, a short one and a long one.
Wave beetle(Traits& tr) {
    Wave w;
    const double f = 120 + tr.pitch * 0.3;
    for (int i = 0; i < 2; ++i) {
        const double len = i ? 0.26 : 0.12;
        add(w,
            tone(
                len, [=](double t) { return f * (1 + 0.08 * std::sin(2 * kPi * 6 * t)); },
                [=](double t) { return swell(t, len, 0.03, 0.06); },
                {1, 0.7, 0.5, 0.4, 0.3, 0.25, 0.2, 0.15, 0.1}),
            1, i * 0.19);
    }
    return w;
}

// Two pairs of high pincer snips with a pause between.
Wave crab(Traits& tr) {
    Wave w;
    const double c = 2800 + tr.pitch;
    for (double at : {0.0, 0.06, 0.24, 0.3}) add(w, ring_click(tr.dice, c, 6, 0.01), 1, at);
    return w;
}

// A thin, high fizz of tiny spines that swells and fades.
Wave urchin(Traits& tr) {
    const double len = 0.42;
    Wave w;
    for (int i = 0; i < 45; ++i) {
        const double at = tr.dice.range(0, len - 0.02);
        add(w, ring_click(tr.dice, tr.dice.range(4500, 7000), 5, 0.003), swell(at, len, 0.2, 0.2),
            at);
    }
    return w;
}

// Its own name: a short chirp and a longer, lower one that falls.
Wave gecko(Traits& tr) {
    Wave w;
    const double f = 900 + tr.pitch * 0.5;
    add(w,
        voice(
            0.07, [=](double) { return f; }, 1200, 2600, 0.2, tr.dice,
            [](double t) { return swell(t, 0.07, 0.005, 0.03); }),
        1, 0);
    add(w,
        voice(
            0.2, [=](double t) { return f * 0.75 * (1 - 0.5 * t); }, 800, 1800, 0.2, tr.dice,
            [](double t) { return swell(t, 0.2, 0.01, 0.1); }),
        1, 0.15);
    return w;
}

// A dry, low rattle of the tail that slows, then the high whip of the sting.
Wave scorpion(Traits& tr) {
    Wave w;
    double at = 0;
    for (int i = 0; i < 6; ++i) {
        add(w, ring_click(tr.dice, 1400 + tr.pitch, 4, 0.006), 0.8, at);
        at += 0.03 + 0.012 * i;
    }
    add(w,
        hiss(
            0.1, tr.dice, Filter::kBand, [](double t) { return 6500 - 40000 * t; }, 2,
            [](double t) { return swell(t, 0.1, 0.01, 0.07); }),
        1.2, at + 0.05);
    return w;
}

// One deep gulp, then bubbles rising.
Wave grouper(Traits& tr) {
    Wave w = voice(
        0.16, [](double t) { return 140 * (1 + t); }, 400, 800, 0.1, tr.dice,
        [](double t) { return swell(t, 0.16, 0.01, 0.08); });
    for (int i = 0; i < 4; ++i) {
        const double f = (450 + tr.pitch * 0.2) * (1 + 0.3 * i);
        add(w,
            tone(
                0.05, [=](double t) { return f * (1 + 6 * t); },
                [](double t) { return pluck(t, 0.002, 0.012); }),
            0.6, 0.2 + i * 0.07);
    }
    return w;
}

// A short hiss, a breath, then a long one that rises and swells.
Wave serpent(Traits& tr) {
    Wave w = hiss(
        0.08, tr.dice, Filter::kBand, [](double) { return 4500; }, 1.2,
        [](double t) { return swell(t, 0.08, 0.01, 0.04); });
    const double len = 0.32;
    add(w,
        hiss(
            len, tr.dice, Filter::kBand, [=](double t) { return 2500 + 3500 * t / len; }, 1.2,
            [=](double t) { return swell(t, len, 0.2, 0.08); }),
        1, 0.14);
    return w;
}

// A cat's spit, short and sharp, then a low growl.
Wave lynx(Traits& tr) {
    Wave w = hiss(
        0.1, tr.dice, Filter::kBand, [](double) { return 3000; }, 1.0,
        [](double t) { return pluck(t, 0.003, 0.03); });
    const double len = 0.3, f = 110 + tr.pitch * 0.1;
    add(w,
        voice(
            len, [=](double t) { return f * (1 + 0.1 * std::sin(2 * kPi * 6 * t)); }, 500, 1100,
            0.4, tr.dice,
            [=](double t) {
                return swell(t, len, 0.04, 0.1) * (0.7 + 0.3 * std::sin(2 * kPi * 20 * t));
            }),
        0.9, 0.14);
    return w;
}

// Three slow, heavy scoops of earth.
Wave mole(Traits& tr) {
    Wave w;
    for (int i = 0; i < 3; ++i) {
        add(w,
            hiss(
                0.13, tr.dice, Filter::kBand, [](double t) { return 500 + 5000 * t; }, 1.2,
                [](double t) { return swell(t, 0.13, 0.02, 0.08); }),
            1, i * 0.16);
        add(w,
            tone(
                0.08, [](double) { return 200; }, [](double t) { return pluck(t, 0.002, 0.025); },
                {1, 0.5}),
            0.5, i * 0.16);
    }
    return w;
}

// A fast skitter of tiny feet.
Wave skink(Traits& tr) {
    Wave w;
    for (int i = 0; i < 10; ++i)
        add(w, ring_click(tr.dice, tr.dice.range(2300, 3500), 4, 0.005), tr.dice.range(0.6, 1),
            i * 0.04);
    return w;
}

// A low, heavy snap of jaws, then a deep splash with bubbles.
Wave pike(Traits& tr) {
    Wave w = ring_click(tr.dice, 900, 2, 0.01);
    add(w,
        tone(
            0.1, [](double t) { return 160 * (1 - 2 * t); },
            [](double t) { return pluck(t, 0.001, 0.03); }, {1, 0.5}),
        0.8);
    add(w,
        hiss(
            0.28, tr.dice, Filter::kBand, [=](double t) { return 900 - 1500 * t + tr.pitch * 0.2; },
            1, [](double t) { return swell(t, 0.28, 0.03, 0.18); }),
        0.7, 0.1);
    for (int i = 0; i < 3; ++i) {
        const double f = 500 + 150 * i;
        add(w,
            tone(
                0.04, [=](double t) { return f * (1 + 8 * t); },
                [](double t) { return pluck(t, 0.002, 0.01); }),
            0.5, 0.2 + 0.07 * i);
    }
    return w;
}

// A low rumbling growl that ends in a heavy clap of jaws.
Wave crocodile(Traits& tr) {
    const double len = 0.3, f = 70 + tr.pitch * 0.05;
    Wave w = voice(
        len, [=](double t) { return f * (1 + 0.8 * t); }, 400, 800, 0.4, tr.dice,
        [=](double t) {
            return swell(t, len, 0.15, 0.04) * (0.7 + 0.3 * std::sin(2 * kPi * 9 * t));
        });
    add(w, ring_click(tr.dice, 1200, 2, 0.012), 1.5, 0.33);
    add(w,
        tone(
            0.12, [](double) { return 160; }, [](double t) { return pluck(t, 0.001, 0.03); },
            {1, 0.6, 0.3}),
        1, 0.33);
    return w;
}

// A train of clicks speeding up, then a short whistle that rises.
Wave narwhal(Traits& tr) {
    Wave w;
    double at = 0;
    for (int i = 0; i < 5; ++i) {
        add(w, ring_click(tr.dice, 2500, 5, 0.005), 1, at);
        at += 0.065 - 0.01 * i;
    }
    const double f = 1100 + tr.pitch;
    add(w,
        tone(
            0.18, [=](double t) { return f * (1 + 3 * t); },
            [](double t) { return swell(t, 0.18, 0.02, 0.06); }, {1, 0.2}),
        0.8, at + 0.03);
    return w;
}

// A crack of horns, then a short, deep bleat.
Wave ram(Traits& tr) {
    Wave w = ring_click(tr.dice, 1500, 3, 0.01);
    add(w, ring_click(tr.dice, 1100, 3, 0.012), 0.7, 0.02);
    const double len = 0.26, f = 140 + tr.pitch * 0.2;
    add(w,
        voice(
            len, [=](double t) { return f * (1.1 - 0.5 * t); }, 500, 1500, 0.1, tr.dice,
            [=](double t) { return swell(t, len, 0.03, 0.1); }),
        1, 0.18);
    return w;
}

// Two slow, heavy steps, each with a grinding scrape of shell.
Wave tortoise(Traits& tr) {
    Wave w;
    for (int i = 0; i < 2; ++i) {
        add(w,
            tone(
                0.2, [](double t) { return 180 * (1 - 0.2 * t); },
                [](double t) { return pluck(t, 0.003, 0.045); }, {1, 0.8, 0.6, 0.4, 0.3}),
            1, i * 0.24);
        add(w,
            hiss(
                0.16, tr.dice, Filter::kBand, [](double) { return 600; }, 1.5,
                [](double t) { return swell(t, 0.16, 0.06, 0.08); }),
            0.3, 0.08 + i * 0.24);
    }
    return w;
}

// A ribbon that swims only up or down: a wet swish rising fast, a bubble at
// the top, then the same swish falling.
Wave eel(Traits& tr) {
    Wave w;
    for (int i = 0; i < 2; ++i) {
        const bool up = i == 0;
        add(w,
            hiss(
                0.16, tr.dice, Filter::kBand,
                [=](double t) { return up ? 700 + 14000 * t : 3000 - 14000 * t; }, 3,
                [](double t) { return swell(t, 0.16, 0.04, 0.08); }),
            1, i * 0.26);
    }
    const double f = tr.pitch * 2;
    add(w,
        tone(
            0.06, [=](double t) { return f * (1 + 10 * t); },
            [](double t) { return pluck(t, 0.002, 0.015); }),
        0.8, 0.18);
    return w;
}

struct Recipe {
    const char* name;
    Wave (*make)(Traits&);
    std::vector<const char*> words;  // any of these in the name or description
};

const std::vector<Recipe>& recipes() {
    static const std::vector<Recipe> list = {
        {"bird",
         bird,
         {"bird", "hawk", "crow", "raven", "finch", "sparrow", "parrot", "chick", "hen", "feather",
          "beak", "robin", "wren"}},
        {"howl", howl, {"wolf", "hound", "dog", "howl", "jackal", "coyote", "fox"}},
        {"roar",
         roar,
         {"dragon", "lion", "tiger", "roar", "beast", "giant", "troll", "ogre", "drake", "wyrm"}},
        {"growl", growl, {"growl", "boar", "badger", "goblin", "snarl", "hog", "brute"}},
        {"buzz",
         buzz,
         {"bee", "wasp", "fly", "flies", "hornet", "insect", "beetle", "gnat", "buzz", "mosquito",
          "swarm", "cricket"}},
        {"squeak",
         squeak,
         {"mouse", "mice", "rat", "squeak", "bat", "shrew", "squirrel", "vole", "ferret"}},
        {"hiss",
         hissing,
         {"snake", "serpent", "viper", "cobra", "hiss", "lizard", "asp", "adder", "steam"}},
        {"croak", croak, {"frog", "toad", "croak", "newt", "swamp", "bog", "marsh"}},
        {"water",
         water,
         {"water", "sea", "river", "wave", "rain", "squid", "lake", "tide", "shell", "ocean",
          "drip"}},
        {"fire",
         fire,
         {"fire", "flame", "ember", "burn", "lava", "phoenix", "torch", "ash", "smoke", "blaze",
          "coal"}},
        {"bell", bell, {"bell", "chime", "gong", "temple", "church", "clock"}},
        {"spooky",
         spooky,
         {"ghost", "spirit", "phantom", "wraith", "spectre", "specter", "shade", "haunt", "wind",
          "storm", "mist", "fog", "undead", "banshee"}},
        {"rumble",
         rumble,
         {"stone", "rock", "earth", "golem", "mountain", "boulder", "quake", "cave", "worm"}},
        {"clank",
         clank,
         {"iron", "steel", "metal", "knight", "armour", "armor", "sword", "robot", "machine",
          "clock", "gear", "shield", "anvil", "smith"}},
        {"zap", zap, {"lightning", "thunder", "spark", "electric", "zap", "bolt", "storm"}},
        {"wings", wings, {"wing", "moth", "butterfly", "flutter", "flying"}},
        {"hoot", hoot, {"owl"}},
        {"bleat", bleat, {"goat", "ram", "sheep", "lamb"}},
        {"meow", meow, {"cat", "kitten"}},
        {"trumpet", trumpet, {"mammoth", "elephant"}},
        {"whistle", whistle, {"marmot", "whistle"}},
        {"snort", snort, {"pig", "snout", "swine"}},
        {"screech", screech, {"falcon", "eagle", "condor", "albatross", "vulture"}},
        {"clicks", clicks, {"crab", "scorpion", "urchin", "lobster"}},
        {"squelch", squelch, {"slug", "snail", "octopus", "jelly"}},
        {"dig", dig, {"mole", "skink", "digger"}},
        {"snap", snap, {"crocodile", "pike", "jaw"}},
        {"moan", moan, {"whale", "narwhal"}},
        {"purr", purr, {"sphinx", "lynx"}},
        {"bark", bark, {}},
        {"inferno", inferno, {}},
        {"albatross", albatross, {}},
        {"heron", heron, {}},
        {"eagle", eagle, {}},
        {"falcon", falcon, {}},
        {"bear", bear, {}},
        {"wyvern", wyvern, {}},
        {"slug", slug, {}},
        {"octopus", octopus, {}},
        {"newt", newt, {}},
        {"ferret", ferret, {}},
        {"condor", condor, {}},
        {"manta", manta, {}},
        {"crab", crab, {}},
        {"urchin", urchin, {}},
        {"gecko", gecko, {}},
        {"scorpion", scorpion, {}},
        {"grouper", grouper, {}},
        {"serpent", serpent, {}},
        {"lynx", lynx, {}},
        {"mole", mole, {}},
        {"skink", skink, {}},
        {"pike", pike, {}},
        {"crocodile", crocodile, {}},
        {"narwhal", narwhal, {}},
        {"ram", ram, {}},
        {"tortoise", tortoise, {}},
        {"gaffer", gaffer, {}},
        {"eel", eel, {}},
        {"beetle", beetle, {}},
        {"stag", stag, {}},
        {"sparkle",
         sparkle,
         {"magic", "crystal", "star", "fairy", "faerie", "sprite", "wizard", "witch", "gem",
          "light", "moon", "sun", "enchant", "spell", "glow"}},
    };
    return list;
}

// Hand-tuned choices by sound name, where the word list would guess wrong.
const std::map<std::string, std::string>& chosen() {
    static const std::map<std::string, std::string> list = {
        {"newt", "newt"},
        {"crab", "crab"},
        {"toad", "croak"},
        {"mole", "mole"},
        {"beetle", "beetle"},
        {"slug", "slug"},
        {"urchin", "urchin"},
        {"finch", "bird"},
        {"mudsnout", "snort"},
        {"gaffer", "gaffer"},
        {"eel", "eel"},
        {"gecko", "gecko"},
        {"skink", "skink"},
        {"owl", "hoot"},
        {"goat", "bleat"},
        {"marmot", "whistle"},
        {"heron", "heron"},
        {"ferret", "ferret"},
        {"tortoise", "tortoise"},
        {"lynx", "lynx"},
        {"serpent", "serpent"},
        {"ram", "ram"},
        {"grouper", "grouper"},
        {"pike", "pike"},
        {"bear", "bear"},
        {"hound", "bark"},
        {"cat", "meow"},
        {"falcon", "falcon"},
        {"manta", "manta"},
        {"octopus", "octopus"},
        {"narwhal", "narwhal"},
        {"stag", "stag"},
        {"condor", "condor"},
        {"scorpion", "scorpion"},
        {"wyvern", "wyvern"},
        {"mammoth", "trumpet"},
        {"albatross", "albatross"},
        {"crocodile", "crocodile"},
        {"eagle", "eagle"},
        {"whale", "moan"},
        {"sphinx", "purr"},
        {"cinderback", "inferno"},
    };
    return list;
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool has_word(const std::string& text, const std::string& word) {
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const bool start = at == 0 || !std::isalpha(static_cast<unsigned char>(text[at - 1]));
        if (start) return true;  // a word, or the start of one ("wolves", "birds")
    }
    return false;
}

const Recipe* recipe_for(const std::string& sound, const std::string& name,
                         const std::string& desc) {
    if (auto c = chosen().find(sound); c != chosen().end())
        for (const Recipe& r : recipes())
            if (c->second == r.name) return &r;
    // The tile's own name speaks loudest, then its sound's name, then its story.
    for (const std::string& text : {lower(name), lower(sound), lower(desc)}) {
        for (const Recipe& r : recipes())
            for (const char* word : r.words)
                if (has_word(text, word)) return &r;
    }
    return nullptr;
}

Wave synthesise_tile_sound(const std::string& sound, const std::string& name,
                           const std::string& desc) {
    const uint64_t h = hash(sound);
    Traits tr{0, 0, 0, Dice(h)};
    tr.pitch = 110 * std::pow(2.0, tr.dice.range(0, 2.5));  // 110 Hz to about 620 Hz
    tr.speed = tr.dice.range(0.5, 1.5);
    tr.length = tr.dice.range(0.3, 0.4);
    if (const Recipe* r = recipe_for(sound, name, desc)) return r->make(tr);
    // Nothing known about it: a creature voice of its own.
    return chatter(tr);
}

}  // namespace

std::vector<MadeSound> make_sound_set() {
    std::vector<MadeSound> set;
    const auto made = [&](std::string file, Wave w, double loudness = kLoudness,
                          double longest = kMaxSeconds) {
        set.push_back(finish(std::move(w), loudness, longest));
        set.back().file = std::move(file);
    };
    made("menu/arrows.wav", arrows(), kMenuLoudness);
    made("menu/enter.wav", enter(), kMenuLoudness);
    for (int n = 1; n <= 4; ++n) made("drop" + std::to_string(n) + ".wav", drop(n));
    made("capture.wav", capture());
    std::set<std::string> named;
    for (const Tile& t : tile_content())
        if (!t.sound.empty() && named.insert(t.sound).second)
            made("tiles/" + t.sound + ".wav", synthesise_tile_sound(t.sound, t.name, t.description),
                 kLoudness, kTileSeconds);
    return set;
}

}  // namespace velloxa::sound
