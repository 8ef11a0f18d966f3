// The game's texts on a braille display through BRLTTY's BrlAPI. A worker
// thread of its own connects, writes and reads the display's keys, so that
// a slow or vanished BRLTTY never holds up the game. The display's panning
// keys pan a long text, its line keys step through the last texts.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "platform/trace.h"

namespace velloxa {

class BrailleDisplay {
  public:
    // `log` hears once why there is no display, or that it went away.
    BrailleDisplay(Trace* trace, std::ostream& log) : trace_(trace), log_(log) {}
    ~BrailleDisplay();
    BrailleDisplay(const BrailleDisplay&) = delete;
    BrailleDisplay& operator=(const BrailleDisplay&) = delete;

    // Connects to BRLTTY (BRLAPI_HOST and BRLAPI_AUTH as BrlAPI reads them)
    // and takes the display while the X window `window` has the focus.
    // Waits a little for the connection, so that the window, shown after
    // this, is known to BRLTTY when it takes the focus.
    void start(std::optional<uint32_t> window);
    // Shows `text` as the newest; the empty text (silence) is not shown.
    // Returns at once; safe from any thread.
    void show(const std::string& text);

  private:
    void work(std::optional<uint32_t> window);
    void serve(std::optional<uint32_t> window);
    void settle();

    Trace* trace_;
    std::ostream& log_;
    std::mutex mutex_;
    std::vector<std::string> waiting_;  // texts not yet taken by the worker
    bool stopping_ = false;
    bool gone_ = false;     // no display: texts are dropped
    bool settled_ = false;  // connected, or given up
    std::condition_variable settled_cv_;
    int wake_[2] = {-1, -1};  // a pipe: the worker polls it beside the display
    std::thread worker_;
};

}  // namespace velloxa
