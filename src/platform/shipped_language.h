// The game once shipped its English player's edition as a language file,
// copied into each player's data folder. That edition is now a catalogue
// (locale/en.mo), so at start a copy the player never changed is retired;
// a copy the player edited is theirs for good and still rewrites the texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "io/platform.h"

namespace velloxa {

// Each system shipped editions of its own (its speech routes differ).
enum class ShippedFor { linux_system, windows_system };

// Every language.txt once shipped for `system`, byte for byte
// (packaging/editions/, compiled in).
const std::vector<std::string_view>& shipped_language_editions(ShippedFor system);

// Whether the file at `copy` is one of those editions, line ends aside.
bool is_unchanged_edition(FileStore& files, const std::string& copy, ShippedFor system);

}  // namespace velloxa
