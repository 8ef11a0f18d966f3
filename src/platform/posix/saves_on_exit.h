// Every way out of the desktop and terminal programs finishes the saves
// already handed to the background writer, waiting at most kLastSavesLimit,
// and tells on standard error, in one line, a save that failed or was given
// up on then. No way out saves anything new.
#pragma once

#include "platform/background_saves.h"

namespace velloxa {

class SavesOnExit {
  public:
    // While this lives, SIGINT, SIGTERM and SIGHUP (unless ignored from the
    // start) and exit() from any library (Xlib when the X server goes away,
    // for one) first finish the saves of `saves`; a signal then goes on to
    // whatever handled it before. One at a time per process.
    explicit SavesOnExit(BackgroundSaves& saves);
    // Finishes the saves, as the end of input needs.
    ~SavesOnExit();
    SavesOnExit(const SavesOnExit&) = delete;
    SavesOnExit& operator=(const SavesOnExit&) = delete;

    // For the program's own ways out: the Exit item, Ctrl+C, a closed window.
    void finish();

  private:
    BackgroundSaves& saves_;
};

// Finishes the saves of the SavesOnExit that is alive, if any: for a
// thread that ends the program while the one that owns it is held up.
void finish_saves_before_exit();

}  // namespace velloxa
