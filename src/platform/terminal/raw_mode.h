// Raw key mode for the controlling terminal, and its undoing on every way
// out of the program: a normal return, exit(), the signals that end a
// program (interrupt, hang-up, termination) and the crash signals.
#pragma once

#include <string>

namespace velloxa::raw_mode {

// Puts the terminal on `in` into raw key mode: no line editing, no echo, no
// signal keys, no flow control; output processing stays, so a line feed
// still starts a new line. `control` is where the leave sequence is written
// (-1: nowhere). Returns false when `in` is not a terminal; the handlers are
// installed either way. Call once.
bool enter(int in, int control);

// Bytes written to the control descriptor when leaving, before the terminal
// modes are put back (to switch off key protocols and the like). Set it
// before switching anything on. At most 63 bytes.
void set_leave_sequence(const std::string& bytes);

// Puts the terminal back as it was. Safe inside a signal handler and any
// number of times; after the first call it does nothing.
void leave();

}  // namespace velloxa::raw_mode
