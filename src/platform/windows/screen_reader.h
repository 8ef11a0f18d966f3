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

// A reader that was answering and failed: the next text reports it once as
// ScreenReaderLost, so the game takes another route instead of falling
// silent. A failed cancel is only noted, as cancel never throws.
class ReaderLoss {
  public:
    void note(const std::string& why) { why_ = why; }
    void report();  // throws ScreenReaderLost once after note()

  private:
    std::string why_;
};

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
    void give_up(const std::string& why);
    void invoke(const wchar_t* method, const std::wstring* text);
    WinTrace* trace_;
    IDispatch* jaws_ = nullptr;
    ReaderLoss loss_;
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
    // Speech, then the same text on the braille display. A reader that does
    // not answer is given up until the next connect(): ScreenReaderLost
    // then, std::runtime_error as with no reader at all after.
    void say(const std::string& text) override;
    void cancel() override;

  private:
    void release();
    bool bind();
    // The empty text when the call succeeded, else what went wrong.
    std::string call(const char* what, uint32_t (*step)(void*), const std::wstring& text);
    WinTrace* trace_;
    unsigned timeout_ms_;
    void* binding_ = nullptr;
    ReaderLoss loss_;
};

// The running screen reader: asked afresh at every probe, JAWS first.
class RunningScreenReader : public ScreenReader {
  public:
    explicit RunningScreenReader(WinTrace* trace) : jaws_(trace), nvda_(trace), trace_(trace) {}
    bool connect() override;
    void say(const std::string& text) override;
    void cancel() override;
    // The last text reached a reader.
    bool spoke() const { return spoke_; }

  private:
    JawsReader jaws_;
    NvdaReader nvda_;
    WinTrace* trace_;
    ScreenReader* active_ = nullptr;
    bool spoke_ = false;
};

}  // namespace velloxa
