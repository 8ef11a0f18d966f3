// A compiled gettext catalogue (.mo) read into memory. The same reader
// serves every system, so a language plays the same on Linux and Windows.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velloxa {

// A named part of a text, "{tile}" in the text and its translations, so a
// translator may move it where the language puts it.
struct Placeholder {
    std::string_view name;
    std::string_view value;
};

// `text` with each "{name}" of `parts` replaced by its value. Braces that
// name no part stay as they are, so a slip in a translation shows, and a
// value is never scanned again.
std::string fill_placeholders(std::string_view text, std::span<const Placeholder> parts);
inline std::string fill_placeholders(std::string_view text,
                                     std::initializer_list<Placeholder> parts) {
    return fill_placeholders(text, std::span(parts.begin(), parts.size()));
}

// The "plural=" expression of a catalogue's header: which of its forms a
// count takes. Anything it cannot read falls back to the Germanic rule.
class PluralRule {
  public:
    PluralRule();  // n != 1, two forms
    // From a header line such as "nplurals=3; plural=(n%10==1 ? 0 : 1);".
    static std::optional<PluralRule> parse(std::string_view plural_forms);
    size_t form(uint64_t n) const;
    size_t forms() const { return forms_; }

  private:
    struct Node {
        enum class Kind : uint8_t { Number, N, Not, Binary, Choice } kind;
        char op = 0;  // Binary: one of + - * / % < > l (<=) g (>=) = (==) ! (!=) & (&&) | (||)
        uint64_t value = 0;
        int a = -1, b = -1, c = -1;
    };
    uint64_t evaluate(int node, uint64_t n) const;
    friend class PluralParser;
    std::vector<Node> nodes_;
    int root_ = -1;
    size_t forms_ = 2;
};

class MessageCatalogue {
  public:
    // Nothing when the bytes are not a whole catalogue: a damaged file is
    // treated as no translation rather than half of one.
    static std::optional<MessageCatalogue> parse(std::string_view mo);

    // The translation of `id`, or nothing when the catalogue lacks it or
    // leaves it empty (msgfmt keeps untranslated entries out).
    const std::string* find(std::string_view id) const;
    // The form of `id`/`plural_id` for `n`; nothing when untranslated.
    const std::string* find_plural(std::string_view id, uint64_t n) const;
    size_t size() const { return entries_.size(); }

  private:
    // Looked up by the text as the code holds it, without copying it.
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, std::vector<std::string>, TextHash, std::equal_to<>> entries_;
    PluralRule rule_;
};

}  // namespace velloxa
