// Which language a run plays in, chosen once at start-up.
#pragma once

#include <ostream>
#include <string>

#include "io/languages.h"
#include "io/texts.h"

namespace velloxa {

struct LanguageRequest {
    std::string requested;       // --language, empty when not given
    bool follow_system = false;  // the window and the terminal, never headless
    std::string system;          // the system's language code, when followed
    std::string system_name;     // "linux" or "windows": entries written for it
};

struct LanguageChoice {
    Texts texts;
    const GameLanguage* language = nullptr;  // none: the texts as written
};

// --language first, else the system's language where it is followed; a run
// that follows the system hears the English player's edition when the
// system asks for none we ship. A language with no catalogue behind it
// says so in one line on `errors`, and the run plays on in the English
// edition where the system is followed, else without a catalogue. Catalogues are read from
// `program`/locale.
LanguageChoice choose_language(const LanguageRequest& request, FileStore& files,
                               const std::string& program, std::ostream& errors);

}  // namespace velloxa
