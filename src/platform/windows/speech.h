// The SAPI 5 voice, reached through COM.
#pragma once

#include "io/platform.h"
#include "platform/windows/trace.h"
#include "platform/windows/win32.h"

struct ISpVoice;

namespace velloxa {

class SapiVoice : public Voice {
  public:
    explicit SapiVoice(WinTrace* trace) : trace_(trace) {}
    ~SapiVoice() override;
    SapiVoice(const SapiVoice&) = delete;
    SapiVoice& operator=(const SapiVoice&) = delete;
    // True only for a voice that can speak (see speech.cpp).
    bool open_voice() override;
    bool speaks() const { return voice_ != nullptr; }
    void speak(const std::string& text, int flags) override;
    void set_rate(int rate) override;

  private:
    void release();
    WinTrace* trace_;
    ISpVoice* voice_ = nullptr;
};

}  // namespace velloxa
