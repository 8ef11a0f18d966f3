// The screen-reader route on Linux: texts go to speech-dispatcher, which
// Orca and other screen readers share, queued like any client's messages.
#pragma once

#include <memory>
#include <string>

#include "io/platform.h"
#include "platform/sdl/trace.h"

namespace velloxa {

class SpeechdReader : public ScreenReader {
  public:
    // `timeout_ms` bounds the connection attempt, so a server that accepts
    // but never answers cannot hold up start-up.
    explicit SpeechdReader(Trace* trace = nullptr, int timeout_ms = 1500);
    ~SpeechdReader() override;
    SpeechdReader(const SpeechdReader&) = delete;
    SpeechdReader& operator=(const SpeechdReader&) = delete;

    // True only when a connection to a running speech-dispatcher opens; the
    // server is never started from here.
    bool create() override;
    // Throws std::runtime_error when there is no connection or it is gone.
    // The empty text cancels this program's speech.
    void say(const std::string& text) override;

  private:
    Trace* trace_;
    int timeout_ms_;
    struct Link;  // the library's connection
    std::unique_ptr<Link> link_;
};

}  // namespace velloxa
