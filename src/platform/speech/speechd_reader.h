// The screen-reader route on Linux: texts go to speech-dispatcher, which
// Orca and other screen readers share, queued like any client's messages.
//
// The server is only ever talked to from a worker thread, so a server that
// hangs cannot hold up the keys: `say` hands the text over and returns.
#pragma once

#include <memory>
#include <string>

#include "io/platform.h"
#include "platform/sdl/trace.h"

namespace velloxa {

struct SpeechdChannel;  // what the worker thread shares

class SpeechdReader : public ScreenReader {
  public:
    // `timeout_ms` bounds the connection attempt and every answer of the
    // server; a server that lets it pass is given up for the rest of the run.
    explicit SpeechdReader(Trace* trace = nullptr, int timeout_ms = 1000);
    ~SpeechdReader() override;
    SpeechdReader(const SpeechdReader&) = delete;
    SpeechdReader& operator=(const SpeechdReader&) = delete;

    // True only when a connection to a running speech-dispatcher opens; the
    // server is never started from here.
    bool create() override;
    // Hands `text` to the worker. Only the newest text waits there: a text
    // not yet sent when the next one (or a cancel) comes is dropped. The
    // empty text cancels this program's speech. Throws std::runtime_error
    // when there is no connection: once with "speech-dispatcher does not
    // answer" after the server was given up, then as with no server at all.
    void say(const std::string& text) override;

  private:
    Trace* trace_;
    int timeout_ms_;
    std::shared_ptr<SpeechdChannel> channel_;
};

}  // namespace velloxa
