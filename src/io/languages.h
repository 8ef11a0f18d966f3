// The languages the game ships a catalogue for, and how a requested code
// ("pt-BR", "de_AT.UTF-8", "zh") finds one of them.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "io/message_catalogue.h"
#include "io/platform.h"

namespace velloxa {

struct GameLanguage {
    std::string_view code;   // the catalogue's name: locale/CODE.mo
    std::string_view voice;  // espeak-ng's voice for it
    std::string_view name;   // in the language itself
};

std::span<const GameLanguage> shipped_languages();

// The shipped language `requested` names, by its whole code or, failing
// that, by its language alone; nothing when none is shipped. "C" and
// "POSIX" are English.
const GameLanguage* find_language(std::string_view requested);

// The language a POSIX system asks for: the first of LANGUAGE's list that
// is shipped, else LC_ALL, LC_MESSAGES or LANG (the first one set), as
// `variable` reads them. Empty when none is set.
std::string system_language(const std::function<std::string_view(const char* name)>& variable);

// The catalogue of `language` from the program folder `app`
// (app/locale/CODE.mo); nothing when it is missing or damaged.
std::optional<MessageCatalogue> read_catalogue(FileStore& files, const std::string& app,
                                               const GameLanguage& language);

}  // namespace velloxa
