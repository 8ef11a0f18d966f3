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

bool SapiVoice::create() {
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

JawsReader::~JawsReader() {
    if (jaws_) jaws_->Release();
}

bool JawsReader::create() {
    CLSID type{};
    HRESULT result = CLSIDFromProgID(L"FreedomSci.JawsApi", &type);
    if (SUCCEEDED(result))
        result = CoCreateInstance(type, nullptr, CLSCTX_ALL, IID_IDispatch,
                                  reinterpret_cast<void**>(&jaws_));
    if (FAILED(result)) {
        jaws_ = nullptr;
        trace_line(trace_, "reader absent " + com_error_text(result));
        return false;
    }
    trace_line(trace_, "reader ready");
    return true;
}

// Calls the automation object's method `name` with `arguments` given last
// first, as IDispatch takes them.
HRESULT JawsReader::call(const wchar_t* name, VARIANT* arguments, UINT count) {
    OLECHAR* method_name = const_cast<OLECHAR*>(name);
    DISPID method = 0;
    HRESULT result = jaws_->GetIDsOfNames(IID_NULL, &method_name, 1, LOCALE_USER_DEFAULT, &method);
    if (FAILED(result)) return result;
    DISPPARAMS parameters{arguments, nullptr, count, 0};
    VARIANT answer;
    VariantInit(&answer);
    result = jaws_->Invoke(method, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                           &answer, nullptr, nullptr);
    VariantClear(&answer);
    return result;
}

void JawsReader::say(const std::string& text) {
    // The same words as the headless mode's, so both logs read alike.
    if (!jaws_) throw std::runtime_error("no screen reader");
    trace_line(trace_, "reader " + text);
    // The text, then 0: do not flush what is queued.
    VARIANT arguments[2];
    VariantInit(&arguments[0]);
    VariantInit(&arguments[1]);
    arguments[0].vt = VT_BOOL;
    arguments[0].boolVal = VARIANT_FALSE;
    const std::wstring wide = widen(text);
    arguments[1].vt = VT_BSTR;
    arguments[1].bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    const HRESULT result = call(L"SayString", arguments, 2);
    VariantClear(&arguments[1]);
    if (FAILED(result)) throw std::runtime_error(com_error_text(result));
}

void JawsReader::cancel() {
    if (!jaws_) return;
    trace_line(trace_, "reader-cancel");
    // A reader that cannot stop keeps talking; the next text still queues.
    call(L"StopSpeech", nullptr, 0);
}

}  // namespace velloxa
