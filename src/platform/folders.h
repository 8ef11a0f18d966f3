// Where the program finds its files, chosen once at start-up by every
// front-end. The program folder holds sounds/ and the catalogues (locale/);
// the data folder holds progress.ini, debuglog.txt and language.txt.
#pragma once

#include <string>

#include "flow/game.h"
#include "platform/frontends.h"

namespace velloxa {

// What the choice depends on, gathered so that tests can state it.
struct FolderSituation {
    std::string home;        // --home, empty when not given
    std::string executable;  // the folder of the running executable
    bool executable_writable = false;
    bool headless = false;
};

// --home DIR is everything in headless mode, the scripted runs rely on it.
// Elsewhere DIR is the data folder, and its sounds/ is used only when it
// has one. Without --home: an installed copy (its data in
// ../share/velloxa beside the executable) reads sounds from there and keeps
// the data in the user's data folder even where it could write its own; an
// unpacked copy keeps everything beside the executable when it may write
// there, else in the user's data folder. Outside --home and the headless
// mode, a language.txt there that is still an edition the game once shipped
// is retired (the English edition is a catalogue now).
Folders choose_folders(const FolderSituation& situation);

// The same for the running program and its command line.
Folders choose_folders(const CommandLine& cmd);

// The user's data folder, $XDG_DATA_HOME/velloxa or
// ~/.local/share/velloxa; empty when neither can be formed.
std::string user_data_folder();

// What every front-end starts the game with: the folders chosen above and
// the seed given, else the seconds since midnight, and the language.
StartOptions start_options(const CommandLine& cmd);

// The folder of the files the program ships (sounds/, locale/): the
// installed data folder, else the executable's.
std::string program_folder();
// The language the user's system asks for ("de_DE.UTF-8", "pt-BR");
// empty when it names none.
std::string system_language_code();

// Whether the current user may create files in `folder`.
bool folder_writable(const std::string& folder);

}  // namespace velloxa
