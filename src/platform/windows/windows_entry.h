// What main() needs on Windows: the command line, the standard streams and
// the windowed front-end.
#pragma once

#include <string>
#include <vector>

#include "platform/frontends.h"

namespace velloxa {

// The arguments after the program name, as UTF-8 (taken from the UTF-16
// command line, so folder names in any script survive).
std::vector<std::string> windows_arguments(int argc, char** argv);

// Standard input and output carry bytes unchanged (no CR added before LF),
// so transcripts are the same as on Linux.
void windows_binary_streams();

// The Win32 window with SAPI, the screen-reader routes and DirectSound.
int run_windows(const CommandLine& cmd);

}  // namespace velloxa
