// Sound playback state.
#pragma once

#include <array>
#include <string>

#include "io/platform.h"

namespace velloxa {

struct Sound {
    static constexpr int kLastSlot = SoundDevice::kSlots - 1;
    std::array<bool, SoundDevice::kSlots> slot_loaded{};  // whether a slot holds a sound
    int next_slot = 0;
    std::string sound_folder;
};

}  // namespace velloxa
