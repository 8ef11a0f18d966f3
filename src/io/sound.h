// Sound playback state.
#pragma once

#include <array>
#include <string>

#include "io/platform.h"

namespace velloxa {

struct Sound {
    std::array<bool, SoundDevice::kSlots> slot_loaded{};  // whether a slot holds a sound
    int slot_count = 0;
    int next_slot = 0;
    int api_version = 0;
    std::string sound_folder;
};

}  // namespace velloxa
