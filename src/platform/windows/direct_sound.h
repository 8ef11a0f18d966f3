// Sound through DirectSound 8: one static secondary buffer per slot, volume in
// hundredths of a decibel and pan exactly as the game computes them
// (DirectSound's own units, so no conversion).
#pragma once

#include <array>

#include "io/platform.h"
#include "platform/windows/trace.h"

struct IDirectSound8;
struct IDirectSoundBuffer;

namespace velloxa {

class Win32Window;

class DirectSoundDevice : public SoundDevice {
  public:
    DirectSoundDevice(Win32Window& window, FileStore& files, WinTrace* trace)
        : window_(window), files_(files), trace_(trace) {}
    ~DirectSoundDevice() override;
    DirectSoundDevice(const DirectSoundDevice&) = delete;
    DirectSoundDevice& operator=(const DirectSoundDevice&) = delete;

    bool open_device() override;
    void load(int slot, const std::string& path) override;
    void set_volume(int slot, int hundredths_db) override;
    void set_pan(int slot, int pan) override;
    void play(int slot, int flags) override;

  private:
    struct Slot {
        IDirectSoundBuffer* buffer = nullptr;
        int volume = 0;
        int pan = 0;
    };
    Slot& slot(int index);

    Win32Window& window_;
    FileStore& files_;
    WinTrace* trace_;
    IDirectSound8* device_ = nullptr;
    std::array<Slot, kSlots> slots_{};
};

}  // namespace velloxa
