// The speech settings the player changes with keys: the route (Tab) and the
// voice's rate (Page Up, Page Down). Both are saved at once.
#pragma once

#include <functional>
#include <string>

#include "io/output.h"
#include "io/platform.h"

namespace velloxa {

class SpeechSettings {
  public:
    SpeechSettings(Platform& platform, Output& out, std::string version, std::function<void()> save)
        : platform_(platform), out_(out), version_(std::move(version)), save_(std::move(save)) {}

    void next_speech_route();           // Tab
    void change_voice_rate(int delta);  // Page Up / Page Down

  private:
    Platform& platform_;
    Output& out_;
    std::string version_;
    std::function<void()> save_;
};

}  // namespace velloxa
