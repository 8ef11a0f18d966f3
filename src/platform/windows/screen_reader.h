// Route 3 on Windows: the screen reader that runs. JAWS through its
// automation object when JAWS answers, else NVDA through its controller
// interface (nvda_controller.idl), reached by local RPC. Nothing from
// either vendor is needed to build or to run.
#pragma once

#include <string>

#include "io/platform.h"
#include "platform/windows/trace.h"

struct IDispatch;

namespace velloxa {

class JawsReader : public ScreenReader {
  public:
    explicit JawsReader(WinTrace* trace) : trace_(trace) {}
    ~JawsReader() override;
    JawsReader(const JawsReader&) = delete;
    JawsReader& operator=(const JawsReader&) = delete;
    // True only while JAWS itself runs: its automation object can be made
    // whenever JAWS is installed, and then speaks nowhere.
    bool connect() override;
    void say(const std::string& text) override;
    void cancel() override;

  private:
    void release();
    void invoke(const wchar_t* method, const std::wstring* text);
    WinTrace* trace_;
    IDispatch* jaws_ = nullptr;
};

// Each call runs guarded (guarded_call.h), so a reader that is not there
// or exits mid-call costs one failed call, never the program.
class NvdaReader : public ScreenReader {
  public:
    // `timeout_ms` bounds each call; a reader that lets it pass is given up.
    explicit NvdaReader(WinTrace* trace, unsigned timeout_ms = 1000)
        : trace_(trace), timeout_ms_(timeout_ms) {}
    ~NvdaReader() override;
    NvdaReader(const NvdaReader&) = delete;
    NvdaReader& operator=(const NvdaReader&) = delete;
    // Binds to this session's and desktop's endpoint and asks whether the
    // reader runs.
    bool connect() override;
    // Speech, then the same text on the braille display. Throws
    // std::runtime_error when the reader does not answer; it is then given
    // up until the next create().
    void say(const std::string& text) override;
    void cancel() override;

  private:
    void release();
    void call(const char* what, uint32_t (*step)(void*), const std::wstring& text);
    WinTrace* trace_;
    unsigned timeout_ms_;
    void* binding_ = nullptr;
};

// The running screen reader: asked afresh at every probe, JAWS first.
class RunningScreenReader : public ScreenReader {
  public:
    explicit RunningScreenReader(WinTrace* trace) : jaws_(trace), nvda_(trace), trace_(trace) {}
    bool connect() override;
    void say(const std::string& text) override;
    void cancel() override;

  private:
    JawsReader jaws_;
    NvdaReader nvda_;
    WinTrace* trace_;
    ScreenReader* active_ = nullptr;
};

}  // namespace velloxa
