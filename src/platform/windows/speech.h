// The SAPI 5 voice and the JAWS screen reader, both reached through COM.
#pragma once

#include <oaidl.h>

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
    bool create() override;
    void speak(const std::string& text, int flags) override;
    void set_rate(int rate) override;

  private:
    void release();
    WinTrace* trace_;
    ISpVoice* voice_ = nullptr;
};

// JAWS through its automation object, created by name and called through
// IDispatch, so building needs nothing from the screen reader's vendor.
class JawsReader : public ScreenReader {
  public:
    explicit JawsReader(WinTrace* trace) : trace_(trace) {}
    ~JawsReader() override;
    JawsReader(const JawsReader&) = delete;
    JawsReader& operator=(const JawsReader&) = delete;
    bool create() override;
    void say(const std::string& text) override;
    void cancel() override;  // JAWS's StopSpeech

  private:
    HRESULT call(const wchar_t* name, VARIANT* arguments, UINT count);
    WinTrace* trace_;
    IDispatch* jaws_ = nullptr;
};

}  // namespace velloxa
