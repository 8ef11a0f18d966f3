// Sound playback state.
#pragma once

#include <array>
#include <string>

namespace velloxa {

struct Sound {
    std::array<bool, 50> soundbuffer{};  // whether a slot holds a sound
    int numbuffers = 0;
    int nextbuffer = 0;
    int dxversion = 0;
    std::string soundfolder;
};

}  // namespace velloxa
