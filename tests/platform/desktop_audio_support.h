// Shared by the desktop audio tests: SDL's disk driver writing into a
// temporary folder, WAV files made on the spot, and the written frames.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "support/harness.h"

namespace velloxa::testing {

// Points SDL's audio at the disk driver; the device writes 44.1 kHz 16-bit
// stereo frames to `file` in real time.
inline void use_disk_audio(const std::string& file) {
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
}

// A 16-bit stereo WAV at 44.1 kHz holding `frames` frames of a constant level.
inline std::string wav(int frames, int16_t left, int16_t right) {
    std::string s;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto u16 = [&](uint16_t v) {
        s += static_cast<char>(v & 0xFF);
        s += static_cast<char>(v >> 8);
    };
    const uint32_t data = static_cast<uint32_t>(frames) * 4;
    s += "RIFF";
    u32(36 + data);
    s += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(2);
    u32(44100);
    u32(44100 * 4);
    u16(4);
    u16(16);
    s += "data";
    u32(data);
    for (int i = 0; i < frames; ++i) {
        u16(static_cast<uint16_t>(left));
        u16(static_cast<uint16_t>(right));
    }
    return s;
}

using Frame = std::pair<int16_t, int16_t>;

inline std::vector<Frame> written(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<Frame> frames;
    for (size_t i = 0; i + 4 <= raw.size(); i += 4) {
        auto at = [&](size_t k) {
            return static_cast<int16_t>(static_cast<uint8_t>(raw[k]) |
                                        static_cast<uint8_t>(raw[k + 1]) << 8);
        };
        frames.emplace_back(at(i), at(i + 2));
    }
    return frames;
}

// How many written frames hold exactly this pair.
inline int count(const std::vector<Frame>& frames, Frame f) {
    int n = 0;
    for (const Frame& x : frames) n += x == f;
    return n;
}

}  // namespace velloxa::testing
