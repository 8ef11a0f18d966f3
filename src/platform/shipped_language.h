// The language file shipped with the program reaches a player's data folder
// as a copy. A new edition replaces a copy the player never changed, and a
// copy the player edited is theirs for good.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "io/platform.h"

namespace velloxa {

// Each system ships an edition of its own (its speech routes differ).
enum class ShippedFor { linux_system, windows_system };

// Every language.txt shipped for `system` before the current one, byte for
// byte (packaging/editions/, compiled in).
const std::vector<std::string_view>& earlier_language_editions(ShippedFor system);

// Copies `shipped` to `copy` when there is no copy yet, or when the copy is
// still exactly an earlier edition. Writes through a temporary file; any
// failure leaves the copy as it was, and the game starts all the same.
void refresh_language_copy(FileStore& files, const std::string& shipped, const std::string& copy,
                           ShippedFor system);

}  // namespace velloxa
