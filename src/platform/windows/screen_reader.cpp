#include "platform/windows/screen_reader.h"

#include <oaidl.h>

#include <stdexcept>
#include <utility>

#include "platform/windows/guarded_call.h"
#include "platform/windows/nvda_controller.h"
#include "platform/windows/nvda_endpoint.h"
#include "platform/windows/wide.h"
#include "platform/windows/win32.h"

namespace velloxa {

JawsReader::~JawsReader() {
    release();
}

void JawsReader::release() {
    if (jaws_) jaws_->Release();
    jaws_ = nullptr;
}

bool JawsReader::connect() {
    release();
    loss_ = ReaderLoss();
    if (FindWindowW(L"JFWUI2", nullptr) == nullptr) {
        trace_line(trace_, "jaws absent");
        return false;
    }
    CLSID type{};
    HRESULT result = CLSIDFromProgID(L"FreedomSci.JawsApi", &type);
    if (SUCCEEDED(result))
        result = CoCreateInstance(type, nullptr, CLSCTX_ALL, IID_IDispatch,
                                  reinterpret_cast<void**>(&jaws_));
    if (FAILED(result)) {
        jaws_ = nullptr;
        trace_line(trace_, "jaws absent " + com_error_text(result));
        return false;
    }
    trace_line(trace_, "reader ready jaws");
    return true;
}

void JawsReader::invoke(const wchar_t* method, const std::wstring* text) {
    if (!jaws_) throw std::runtime_error("no screen reader");
    OLECHAR* name = const_cast<OLECHAR*>(method);
    DISPID id = 0;
    HRESULT result = jaws_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(result)) throw std::runtime_error(com_error_text(result));
    // Arguments go last first: the text, then 0 (do not flush what is queued).
    VARIANT arguments[2];
    VariantInit(&arguments[0]);
    VariantInit(&arguments[1]);
    DISPPARAMS parameters{arguments, nullptr, 0, 0};
    if (text) {
        arguments[0].vt = VT_BOOL;
        arguments[0].boolVal = VARIANT_FALSE;
        arguments[1].vt = VT_BSTR;
        arguments[1].bstrVal = SysAllocStringLen(text->data(), static_cast<UINT>(text->size()));
        parameters.cArgs = 2;
    }
    VARIANT answer;
    VariantInit(&answer);
    result = jaws_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, &answer,
                           nullptr, nullptr);
    VariantClear(&arguments[1]);
    VariantClear(&answer);
    if (FAILED(result)) throw std::runtime_error(com_error_text(result));
}

void JawsReader::say(const std::string& text) {
    // The same words as the headless mode's, so both logs read alike.
    trace_line(trace_, "reader " + text);
    if (!jaws_) {
        loss_.report();
        throw std::runtime_error("no screen reader");
    }
    const std::wstring wide = widen(text);
    try {
        invoke(L"SayString", &wide);
    } catch (const std::runtime_error& e) {
        give_up(e.what());
        loss_.report();
    }
}

void JawsReader::cancel() {
    if (!jaws_) return;
    trace_line(trace_, "reader cancel");
    try {
        invoke(L"StopSpeech", nullptr);
    } catch (const std::runtime_error& e) {
        give_up(e.what());
    }
}

void JawsReader::give_up(const std::string& why) {
    release();
    trace_line(trace_, "jaws lost " + why);
    loss_.note(why);
}

void ReaderLoss::report() {
    if (why_.empty()) return;
    const std::string why = std::exchange(why_, std::string());
    throw ScreenReaderLost(why);
}

namespace {

// What one guarded call needs; plain data, as guarded_call() asks.
struct NvdaCall {
    handle_t binding;
    const wchar_t* text;
};

// The interface's handle is implicit: one for the process, set on the
// call's own thread just before the call. Calls are made one at a time; one
// that timed out has long read it.
uint32_t test_if_running(void* context) {
    nvdaControllerBindingHandle = static_cast<NvdaCall*>(context)->binding;
    return testIfRunning();
}

uint32_t speak_and_braille(void* context) {
    const NvdaCall* call = static_cast<NvdaCall*>(context);
    nvdaControllerBindingHandle = call->binding;
    const uint32_t spoken = speakText(call->text);
    if (spoken != 0) return spoken;
    // A reader without a braille display may refuse the message; its speech
    // still counts.
    brailleMessage(call->text);
    return 0;
}

uint32_t cancel_speech(void* context) {
    nvdaControllerBindingHandle = static_cast<NvdaCall*>(context)->binding;
    return cancelSpeech();
}

}  // namespace

NvdaReader::~NvdaReader() {
    release();
}

void NvdaReader::release() {
    if (binding_) {
        handle_t binding = binding_;
        RpcBindingFree(&binding);
    }
    binding_ = nullptr;
}

bool NvdaReader::bind() {
    release();
    std::wstring where = nvda_endpoint();
    RPC_WSTR text = nullptr;
    if (RpcStringBindingComposeW(
            nullptr, reinterpret_cast<RPC_WSTR>(const_cast<wchar_t*>(L"ncalrpc")), nullptr,
            reinterpret_cast<RPC_WSTR>(where.data()), nullptr, &text) != RPC_S_OK)
        return false;
    handle_t binding = nullptr;
    const RPC_STATUS bound = RpcBindingFromStringBindingW(text, &binding);
    RpcStringFreeW(&text);
    if (bound != RPC_S_OK) {
        trace_line(trace_, "nvda unbound " + system_error_text(bound));
        return false;
    }
    binding_ = binding;
    return true;
}

bool NvdaReader::connect() {
    loss_ = ReaderLoss();
    if (!bind() || !call("probe", test_if_running, std::wstring()).empty()) {
        trace_line(trace_, "nvda absent");
        return false;
    }
    trace_line(trace_, "reader ready nvda");
    return true;
}

std::string NvdaReader::call(const char* what, uint32_t (*step)(void*), const std::wstring& text) {
    // The text is copied with the call: a call that times out goes on
    // reading it after this function has returned.
    wchar_t* copy = new wchar_t[text.size() + 1];
    std::copy(text.c_str(), text.c_str() + text.size() + 1, copy);
    NvdaCall* context = new NvdaCall{static_cast<handle_t>(binding_), copy};
    const GuardedOutcome outcome = guarded_call(step, context, timeout_ms_);
    std::string failure;
    if (outcome.kind == GuardedOutcome::Kind::timed_out) {
        // The call still holds the binding, the context and the text.
        binding_ = nullptr;
        failure = "timed out";
    } else {
        delete context;
        delete[] copy;
        if (outcome.kind == GuardedOutcome::Kind::raised || outcome.code != 0) {
            release();
            failure = "failed " + system_error_text(outcome.code);
        }
    }
    if (!failure.empty()) trace_line(trace_, std::string("nvda ") + what + " " + failure);
    return failure;
}

void NvdaReader::say(const std::string& text) {
    trace_line(trace_, "reader " + text);
    if (!binding_) {
        loss_.report();
        throw std::runtime_error("no screen reader");
    }
    const std::string failure = call("say", speak_and_braille, widen(text));
    if (!failure.empty()) throw ScreenReaderLost("the screen reader " + failure);
}

void NvdaReader::cancel() {
    if (!binding_) return;
    trace_line(trace_, "reader cancel");
    const std::string failure = call("cancel", cancel_speech, std::wstring());
    if (!failure.empty()) loss_.note("the screen reader " + failure);
}

bool RunningScreenReader::connect() {
    active_ = nullptr;
    if (jaws_.connect())
        active_ = &jaws_;
    else if (nvda_.connect())
        active_ = &nvda_;
    else
        trace_line(trace_, "reader absent");
    return active_ != nullptr;
}

void RunningScreenReader::say(const std::string& text) {
    spoke_ = false;
    if (!active_) throw std::runtime_error("no screen reader");
    active_->say(text);
    spoke_ = true;
}

void RunningScreenReader::cancel() {
    if (active_) active_->cancel();
}

}  // namespace velloxa
