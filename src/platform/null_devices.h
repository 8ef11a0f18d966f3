// The do-nothing services, in one place: a front-end or a test that has no
// such device takes these instead of writing its own.
#pragma once

#include <string>
#include <utility>

#include "io/platform.h"

namespace velloxa {

// Keys that would be sent to the system: nothing is injected where the
// chord has no meaning; the game still blocks keys meanwhile.
class NoKeyInjector : public KeyInjector {
  public:
    void press(int) override {}
    void release(int) override {}
};

// Nothing is drawn. A front-end that wants the picture (as a transcript line
// or a text board) overrides begin_board, which receives it whole.
class NoDrawing : public Canvas {
  public:
    std::pair<int, int> inner_size() override { return {640, 480}; }
    void begin_board(const BoardPicture&) override {}
    void fill_rect(int, int, int, int, Rgb) override {}
    void outline_rect(int, int, int, int, Rgb) override {}
    void text(int, int, double, Rgb, const std::string&) override {}
    void end_board() override {}
};

// No screen reader runs: texts for it fail as they would with one gone.
class NoScreenReader : public ScreenReader {
  public:
    bool connect() override { return false; }
    void say(const std::string&) override;
};

// Sound without an audio device: the game runs on, silently. A missing file
// still fails to load, as it would with a device.
class SilentSound : public SoundDevice {
  public:
    bool open_device() override { return true; }
    void load(int slot, const std::string& path) override;
    void set_volume(int, int) override {}
    void set_pan(int, int) override {}
    void play(int, int) override {}
};

}  // namespace velloxa
