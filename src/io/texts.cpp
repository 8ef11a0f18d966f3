#include "io/texts.h"

#include <vector>

#include "cards/numbers.h"

namespace velloxa {

std::string Texts::tr(std::string_view english, std::initializer_list<Placeholder> parts) const {
    const std::string* translation = catalogue_ ? catalogue_->find(english) : nullptr;
    return fill_placeholders(translation != nullptr ? *translation : english, parts);
}

std::string Texts::tr_plural(std::string_view one, std::string_view many, uint64_t count,
                             std::initializer_list<Placeholder> parts) const {
    const std::string* translation = catalogue_ ? catalogue_->find_plural(one, count) : nullptr;
    const std::string_view text = translation != nullptr ? std::string_view(*translation)
                                  : count == 1           ? one
                                                         : many;
    const std::string number = num(static_cast<double>(count));
    std::vector<Placeholder> all(parts);
    all.push_back({"count", number});
    return fill_placeholders(text, all);
}

std::string Texts::tr_naming_tile(std::string_view content, std::string_view tile) const {
    std::string pattern(content);
    for (size_t at; (at = pattern.find("$T")) != std::string::npos;)
        pattern.replace(at, 2, "{tile}");
    return tr(pattern, {{"tile", tile}});
}

}  // namespace velloxa
