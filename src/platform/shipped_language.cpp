#include "platform/shipped_language.h"

#include <algorithm>
#include <exception>

namespace velloxa {

namespace {

std::string without_carriage_returns(std::string_view text) {
    std::string kept;
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char c) { return c != '\r'; });
    return kept;
}

}  // namespace

bool is_unchanged_edition(FileStore& files, const std::string& copy, ShippedFor system) {
    try {
        if (!files.exists(copy)) return false;
        const std::optional<std::string> current = files.read(copy);
        if (!current) return false;
        const std::string text = without_carriage_returns(*current);
        const std::vector<std::string_view>& editions = shipped_language_editions(system);
        return std::any_of(editions.begin(), editions.end(), [&](std::string_view edition) {
            return without_carriage_returns(edition) == text;
        });
    } catch (const std::exception&) {
        return false;  // a copy that cannot be read stays where it is
    }
}

}  // namespace velloxa
