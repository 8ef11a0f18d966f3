#include "platform/windows/speech.h"

#include <sapi.h>

#include <stdexcept>

#include "platform/windows/wide.h"

namespace velloxa {

SapiVoice::~SapiVoice() {
    release();
}

void SapiVoice::release() {
    if (voice_) voice_->Release();
    voice_ = nullptr;
}

bool SapiVoice::open_voice() {
    release();
    HRESULT result = CoCreateInstance(__uuidof(SpVoice), nullptr, CLSCTX_ALL, __uuidof(ISpVoice),
                                      reinterpret_cast<void**>(&voice_));
    if (FAILED(result)) {
        voice_ = nullptr;
        trace_line(trace_, "voice absent " + com_error_text(result));
        return false;
    }
    // A voice object can exist where no engine can speak (Wine's does), and
    // would leave the player in silence. Speaking the empty text with the
    // game's own flags cuts nothing off and fails where no engine works.
    result = voice_->Speak(L"", SPF_ASYNC | SPF_PURGEBEFORESPEAK, nullptr);
    if (FAILED(result)) {
        release();
        trace_line(trace_, "voice mute " + com_error_text(result));
        return false;
    }
    trace_line(trace_, "voice ready");
    return true;
}

void SapiVoice::speak(const std::string& text, int flags) {
    if (!voice_) throw std::runtime_error("no voice");
    trace_line(trace_, "speak " + text);
    const HRESULT result = voice_->Speak(widen(text).c_str(), static_cast<DWORD>(flags), nullptr);
    if (FAILED(result)) throw std::runtime_error(com_error_text(result));
}

void SapiVoice::set_rate(int rate) {
    if (!voice_) return;
    trace_line(trace_, "rate " + std::to_string(rate));
    const HRESULT result = voice_->SetRate(rate);
    if (FAILED(result)) throw std::runtime_error(com_error_text(result));
}

}  // namespace velloxa
