// The screen-reader route on Linux: texts go to speech-dispatcher, which
// Orca and other screen readers share, queued after one another.
//
// The server is only ever talked to from a worker thread, so a server that
// hangs cannot hold up the keys: `say` hands the text over and returns.
#pragma once

#include <memory>
#include <string>

#include "io/platform.h"
#include "platform/trace.h"

namespace velloxa {

struct SpeechdChannel;  // what the worker thread shares

class SpeechdReader : public ScreenReader {
  public:
    // `timeout_ms` bounds the connection attempt and every answer of the
    // server; a server that lets it pass, closes the connection or answers
    // outside the protocol is given up for the rest of the run. `component`
    // tells this connection apart in the server's client list.
    explicit SpeechdReader(Trace* trace = nullptr, int timeout_ms = 1000,
                           std::string component = "main");
    ~SpeechdReader() override;
    SpeechdReader(const SpeechdReader&) = delete;
    SpeechdReader& operator=(const SpeechdReader&) = delete;

    // True only when a connection to a running speech-dispatcher opens; the
    // server is never started from here: at start-up the game cannot wait
    // for it, and a server nobody started means no screen reader runs.
    bool connect() override;
    // Queues `text` for the worker, after the texts still waiting. The empty
    // text cancels as `cancel` does. Throws ScreenReaderLost (saying why)
    // once after the server was given up, then std::runtime_error as with no
    // server at all.
    void say(const std::string& text) override;
    // Drops the texts still waiting and stops this program's speech; sends
    // nothing when nothing was said since the last cancel.
    void cancel() override;
    // The speaking rate, -100 to 100 (0 is the server's default).
    void set_rate(int rate);
    // Asked of the server on every connection from now on, so that its
    // voice speaks the texts' language.
    void use_language(const GameLanguage& language) override;

  private:
    Trace* trace_;
    int timeout_ms_;
    std::string component_;
    std::string language_;  // as the server names languages ("pt-BR"); empty: its own
    std::shared_ptr<SpeechdChannel> channel_;
};

}  // namespace velloxa
