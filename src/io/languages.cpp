#include "io/languages.h"

#include <algorithm>
#include <array>

namespace velloxa {

namespace {

constexpr std::array<GameLanguage, 7> kLanguages = {{
    {"en", "en", "English"},
    {"es", "es", "Español"},
    {"pt_BR", "pt-br", "Português do Brasil"},
    {"de", "de", "Deutsch"},
    {"fr", "fr", "Français"},
    {"ru", "ru", "Русский"},
    {"zh_CN", "cmn-latn-pinyin", "简体中文"},
}};

// "pt-BR.UTF-8@euro" → "pt_BR"; the case of each part as locales write it.
std::string normalised(std::string_view code) {
    code = code.substr(0, code.find_first_of(".@"));
    std::string out;
    bool region = false;
    for (const char c : code) {
        if (c == '-' || c == '_') {
            region = true;
            out += '_';
        } else if (c >= 'A' && c <= 'Z' && !region) {
            out += static_cast<char>(c - 'A' + 'a');
        } else if (c >= 'a' && c <= 'z' && region) {
            out += static_cast<char>(c - 'a' + 'A');
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::span<const GameLanguage> shipped_languages() {
    return kLanguages;
}

const GameLanguage* find_language(std::string_view requested) {
    const std::string code = normalised(requested);
    if (code == "c" || code == "posix") return &kLanguages[0];
    if (code.empty()) return nullptr;
    for (const GameLanguage& language : kLanguages)
        if (language.code == code) return &language;
    // Chinese written in its simplified script is what the catalogue holds.
    const std::string base = code.substr(0, code.find('_'));
    if (code == "zh_SG" || code == "zh_HANS" || base == "cmn") return &kLanguages[6];
    if (base == "zh" && code != base) return nullptr;  // zh_TW, zh_HK: another script
    for (const GameLanguage& language : kLanguages)
        if (language.code.substr(0, language.code.find('_')) == base) return &language;
    return nullptr;
}

std::string system_language(const std::function<std::string_view(const char* name)>& variable) {
    std::string_view chosen;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        chosen = variable(name);
        if (!chosen.empty()) break;
    }
    // LANGUAGE lists preferences, but only where a locale is set at all.
    const std::string_view list = variable("LANGUAGE");
    if (!chosen.empty() && chosen != "C" && chosen != "POSIX") {
        for (size_t at = 0; at < list.size();) {
            const size_t end = std::min(list.find(':', at), list.size());
            const std::string_view entry = list.substr(at, end - at);
            if (!entry.empty() && find_language(entry) != nullptr) return std::string(entry);
            at = end + 1;
        }
    }
    return std::string(chosen);
}

std::optional<MessageCatalogue> read_catalogue(FileStore& files, const std::string& app,
                                               const GameLanguage& language) {
    const std::optional<std::string> bytes =
        files.read(app + "/locale/" + std::string(language.code) + ".mo");
    if (!bytes) return std::nullopt;
    return MessageCatalogue::parse(*bytes);
}

}  // namespace velloxa
