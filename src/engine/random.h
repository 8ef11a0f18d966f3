// The one random generator of the program (SplitMix64).
#pragma once

#include <cstdint>

namespace velloxa {

class Random {
  public:
    explicit Random(uint64_t seed = 0) : state_(seed) {}
    void seed(uint64_t seed) { state_ = seed; }
    uint64_t next_u64() {
        state_ += 0x9E3779B97F4A7C15ULL;
        uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // A uniform double in [0, 1).
    double rnd() { return static_cast<double>(next_u64() >> 11) * 0x1.0p-53; }
    // floor(r * n) for a fresh r.
    int below(int n) { return static_cast<int>(rnd() * n); }

  private:
    uint64_t state_;
};

}  // namespace velloxa
