// Where an interactive program keeps its files. The program folder holds
// the sounds; progress.ini, debuglog.txt and language.txt live there too
// unless it cannot be written (an installed copy), in which case they go to
// $XDG_DATA_HOME/velloxa (by default ~/.local/share/velloxa).
#pragma once

#include <string>

#include "io/output.h"

namespace velloxa {

// `home` is --home (both folders when given). A program folder that cannot
// be written sends the data to the user's data folder, created on demand;
// a language.txt shipped beside the program is copied there the first time,
// so that it is read and can be edited. Falls back to the program folder
// when no data folder can be made.
Folders choose_folders(const std::string& home, const std::string& program, bool program_writable);

// Whether the current user may create files in `folder`.
bool folder_writable(const std::string& folder);

}  // namespace velloxa
