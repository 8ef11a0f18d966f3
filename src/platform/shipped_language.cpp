#include "platform/shipped_language.h"

#include <algorithm>
#include <exception>

namespace velloxa {

void refresh_language_copy(FileStore& files, const std::string& shipped, const std::string& copy,
                           ShippedFor system) {
    try {
        if (!files.exists(shipped)) return;
        const std::optional<std::string> edition = files.read(shipped);
        if (!edition) return;
        if (files.exists(copy)) {
            const std::optional<std::string> current = files.read(copy);
            if (!current || *current == *edition) return;
            const std::vector<std::string_view>& earlier = earlier_language_editions(system);
            if (std::find(earlier.begin(), earlier.end(), *current) == earlier.end()) return;
        }
        files.replace(copy, *edition);
    } catch (const std::exception&) {
        // The player keeps whatever copy there was; the game needs none.
    }
}

}  // namespace velloxa
