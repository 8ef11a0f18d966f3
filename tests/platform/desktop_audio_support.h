// Shared by the desktop audio tests: SDL's disk driver writing into a
// temporary folder, WAV files made on the spot, and the written frames.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/sdl/sdl_audio.h"
#include "support/harness.h"

namespace velloxa::testing {

// Little-endian bytes of `v`.
inline std::string le(uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

// A 16-bit stereo WAV at 44.1 kHz holding `frames` frames of a constant level.
inline std::string wav(int frames, int16_t left, int16_t right) {
    const uint32_t data = static_cast<uint32_t>(frames) * 4;
    std::string s = "RIFF" + le(36 + data, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(2, 2) +
                    le(44100, 4) + le(44100 * 4, 4) + le(4, 2) + le(16, 2) + "data" + le(data, 4);
    const std::string frame =
        le(static_cast<uint16_t>(left), 2) + le(static_cast<uint16_t>(right), 2);
    for (int i = 0; i < frames; ++i) s += frame;
    return s;
}

using Frame = std::pair<int16_t, int16_t>;

inline int count(const std::vector<Frame>& frames, Frame f) {
    return static_cast<int>(std::count(frames.begin(), frames.end(), f));
}

// The shared audio device on SDL's disk driver, which writes 44.1 kHz 16-bit
// stereo frames in real time into a file of a temporary folder.
struct DiskAudio : ::testing::Test {
    DiskAudio() {
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", (dir.path() + "/out.raw").c_str(), 1);
    }
    // Closes the device, so that the file is complete, and reads it.
    std::vector<Frame> written() {
        audio.close();
        const std::string raw = readfile(dir.path() + "/out.raw");
        std::vector<Frame> frames(raw.size() / 4);
        for (size_t i = 0; i < frames.size(); ++i) {
            std::memcpy(&frames[i].first, raw.data() + 4 * i, 2);
            std::memcpy(&frames[i].second, raw.data() + 4 * i + 2, 2);
        }
        return frames;
    }
    TempDir dir;
    SdlAudio audio;
};

}  // namespace velloxa::testing
