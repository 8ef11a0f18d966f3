#include "soundgen/loudness.h"

#include <algorithm>
#include <cmath>

namespace velloxa::sound {
namespace {

// The standard's coefficients at 48 kHz.
constexpr double kPublishedRate = 48000;
constexpr Biquad kShelf48k{1.53512485958697, -2.69169618940638, 1.19839281085285, -1.69065929318241,
                           0.73248077421585};
constexpr Biquad kHighpass48k{1.0, -2.0, 1.0, -1.99004745483398, 0.99007225036621};

// A biquad made by the bilinear transform from
//   H(s) = (high s^2 + band (w/q) s + low w^2) / (s^2 + (w/q) s + w^2)
// with k = tan(w T / 2). Read back from the published coefficients, the
// same analogue filter is made again at another rate.
struct Analogue {
    double k, k_over_q, high, band, low;
};

Analogue analogue(const Biquad& f) {
    const double even = 1 - f.a1 + f.a2;  // 4 / a0
    return {std::sqrt((1 + f.a1 + f.a2) / even), 2 * (1 - f.a2) / even, (f.b0 - f.b1 + f.b2) / even,
            (f.b0 - f.b2) / (1 - f.a2), (f.b0 + f.b1 + f.b2) / (1 + f.a1 + f.a2)};
}

Biquad digital(const Analogue& a) {
    const double k2 = a.k * a.k, a0 = 1 + a.k_over_q + k2;
    return {(a.high + a.band * a.k_over_q + a.low * k2) / a0, 2 * (a.low * k2 - a.high) / a0,
            (a.high - a.band * a.k_over_q + a.low * k2) / a0, 2 * (k2 - 1) / a0,
            (1 - a.k_over_q + k2) / a0};
}

Biquad at_rate(const Biquad& published, double rate) {
    Analogue a = analogue(published);
    const double q = a.k / a.k_over_q;
    a.k = std::tan(std::atan(a.k) * kPublishedRate / rate);
    a.k_over_q = a.k / q;
    return digital(a);
}

class Stage {
  public:
    explicit Stage(const Biquad& f) : f_(f) {}
    double run(double x) {
        const double y = f_.b0 * x + f_.b1 * x1_ + f_.b2 * x2_ - f_.a1 * y1_ - f_.a2 * y2_;
        x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
        return y;
    }

  private:
    Biquad f_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

}  // namespace

Biquad k_shelf(double rate) {
    return at_rate(kShelf48k, rate);
}

Biquad k_highpass(double rate) {
    return at_rate(kHighpass48k, rate);
}

std::vector<double> k_weighted(const std::vector<double>& samples, double rate, std::size_t tail) {
    Stage shelf(k_shelf(rate)), highpass(k_highpass(rate));
    std::vector<double> out(samples.size() + tail);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = highpass.run(shelf.run(i < samples.size() ? samples[i] : 0.0));
    return out;
}

double short_loudness(const std::vector<double>& samples, double rate, double window) {
    const size_t n = static_cast<size_t>(window * rate);
    const std::vector<double> k = k_weighted(samples, rate, n);
    double sum = 0, loudest = 0;
    for (size_t i = 0; i < k.size(); ++i) {
        sum += k[i] * k[i];
        if (i >= n) sum -= k[i - n] * k[i - n];
        loudest = std::max(loudest, sum);
    }
    return -0.691 + 10 * std::log10(std::max(loudest / static_cast<double>(n), 1e-20));
}

}  // namespace velloxa::sound
