#include "io/texts.h"

#include "cards/text.h"

namespace velloxa {

const std::string* Texts::lookup(std::string_view english) const {
    // The empty text is the catalogue's header, never a translation.
    if (!catalogue_ || english.empty()) return nullptr;
    // A context entry is stored as "context\4text".
    if (!system_.empty()) {
        std::string for_system;
        for_system.reserve(system_.size() + 1 + english.size());
        for_system.append(system_).append(1, '\4').append(english);
        if (const std::string* own = catalogue_->find(for_system)) return own;
    }
    return catalogue_->find(english);
}

std::string Texts::tr(std::string_view english, std::initializer_list<Placeholder> parts) const {
    const std::string* translation = lookup(english);
    return fill_placeholders(translation != nullptr ? *translation : english, parts);
}

std::string Texts::content(std::string_view english) const {
    const std::string* translation = lookup(english);
    return translation != nullptr ? *translation : std::string(english);
}

std::string Texts::capture_line(std::string_view content, std::string_view tile) const {
    if (!catalogue_) return replace_all(content, "$T", tile);
    return tr(replace_all(content, "$T", "{tile}"), {{"tile", tile}});
}

}  // namespace velloxa
