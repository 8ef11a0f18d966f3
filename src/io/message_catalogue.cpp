#include "io/message_catalogue.h"

#include <cctype>
#include <cstring>

namespace velloxa {

// Recursive descent over the C subset gettext headers use; any other
// character ends the parse as a failure.
class PluralParser {
  public:
    PluralParser(std::string_view text, PluralRule& rule) : text_(text), rule_(rule) {}

    bool run() {
        rule_.root_ = choice();
        skip_blanks();
        return rule_.root_ >= 0 && (at_ == text_.size() || text_[at_] == ';');
    }

  private:
    using Node = PluralRule::Node;

    void skip_blanks() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
    }
    bool take(std::string_view token) {
        skip_blanks();
        if (text_.substr(at_, token.size()) != token) return false;
        at_ += token.size();
        return true;
    }
    int add(Node node) {
        // A header deep enough to need more is not a real language.
        if (rule_.nodes_.size() >= 256) return -1;
        rule_.nodes_.push_back(node);
        return static_cast<int>(rule_.nodes_.size() - 1);
    }
    int binary(char op, int a, int b) {
        if (a < 0 || b < 0) return -1;
        return add(Node{.kind = Node::Kind::Binary, .op = op, .a = a, .b = b});
    }

    int choice() {
        if (++depth_ > 64) return -1;
        int condition = either();
        if (condition >= 0 && take("?")) {
            const int yes = choice();
            const int no = take(":") ? choice() : -1;
            condition =
                yes < 0 || no < 0
                    ? -1
                    : add(Node{.kind = Node::Kind::Choice, .a = condition, .b = yes, .c = no});
        }
        --depth_;
        return condition;
    }
    int either() {
        int left = both();
        while (left >= 0 && take("||")) left = binary('|', left, both());
        return left;
    }
    int both() {
        int left = equality();
        while (left >= 0 && take("&&")) left = binary('&', left, equality());
        return left;
    }
    int equality() {
        int left = comparison();
        for (;;) {
            if (left < 0) return left;
            if (take("==")) {
                left = binary('=', left, comparison());
            } else if (take("!=")) {
                left = binary('!', left, comparison());
            } else {
                return left;
            }
        }
    }
    int comparison() {
        int left = sum();
        for (;;) {
            if (left < 0) return left;
            if (take("<=")) {
                left = binary('l', left, sum());
            } else if (take(">=")) {
                left = binary('g', left, sum());
            } else if (take("<")) {
                left = binary('<', left, sum());
            } else if (take(">")) {
                left = binary('>', left, sum());
            } else {
                return left;
            }
        }
    }
    int sum() {
        int left = product();
        for (;;) {
            if (left < 0) return left;
            if (take("+")) {
                left = binary('+', left, product());
            } else if (take("-")) {
                left = binary('-', left, product());
            } else {
                return left;
            }
        }
    }
    int product() {
        int left = unary();
        for (;;) {
            if (left < 0) return left;
            if (take("*")) {
                left = binary('*', left, unary());
            } else if (take("/")) {
                left = binary('/', left, unary());
            } else if (take("%")) {
                left = binary('%', left, unary());
            } else {
                return left;
            }
        }
    }
    int unary() {
        if (take("!")) {
            const int operand = unary();
            return operand < 0 ? -1 : add(Node{.kind = Node::Kind::Not, .a = operand});
        }
        if (take("(")) {
            if (++depth_ > 64) return -1;
            const int inner = choice();
            --depth_;
            return take(")") ? inner : -1;
        }
        if (take("n")) return add(Node{.kind = Node::Kind::N});
        skip_blanks();
        if (at_ >= text_.size() || !std::isdigit(static_cast<unsigned char>(text_[at_]))) return -1;
        uint64_t value = 0;
        while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_])))
            value = value * 10 + static_cast<uint64_t>(text_[at_++] - '0');
        return add(Node{.kind = Node::Kind::Number, .value = value});
    }

    std::string_view text_;
    PluralRule& rule_;
    size_t at_ = 0;
    int depth_ = 0;
};

std::string fill_placeholders(std::string_view text, std::span<const Placeholder> parts) {
    std::string filled;
    filled.reserve(text.size() + 32);
    for (size_t at = 0; at < text.size();) {
        const size_t open = text.find('{', at);
        filled.append(text.substr(at, open - at));
        if (open == std::string_view::npos) break;
        const size_t close = text.find('}', open);
        const Placeholder* part = nullptr;
        if (close != std::string_view::npos) {
            const std::string_view name = text.substr(open + 1, close - open - 1);
            for (const Placeholder& p : parts)
                if (p.name == name) part = &p;
        }
        if (part == nullptr) {
            filled += '{';
            at = open + 1;
            continue;
        }
        filled.append(part->value);
        at = close + 1;
    }
    return filled;
}

PluralRule::PluralRule() {
    nodes_ = {Node{.kind = Node::Kind::N}, Node{.kind = Node::Kind::Number, .value = 1},
              Node{.kind = Node::Kind::Binary, .op = '!', .a = 0, .b = 1}};
    root_ = 2;
}

std::optional<PluralRule> PluralRule::parse(std::string_view header) {
    const size_t count_at = header.find("nplurals=");
    const size_t rule_at =
        header.find("plural=", count_at == std::string_view::npos ? 0 : count_at + 9);
    if (count_at == std::string_view::npos || rule_at == std::string_view::npos)
        return std::nullopt;
    size_t forms = 0;
    for (size_t i = count_at + 9;
         i < header.size() && std::isdigit(static_cast<unsigned char>(header[i])); ++i)
        forms = forms * 10 + static_cast<size_t>(header[i] - '0');
    if (forms < 1 || forms > 6) return std::nullopt;
    PluralRule rule;
    rule.nodes_.clear();
    rule.forms_ = forms;
    const size_t end = header.find_first_of(";\n", rule_at);
    PluralParser parser(
        header.substr(rule_at + 7, end == std::string_view::npos ? end : end - rule_at - 7), rule);
    if (!parser.run()) return std::nullopt;
    return rule;
}

uint64_t PluralRule::evaluate(int index, uint64_t n) const {
    const Node& node = nodes_[static_cast<size_t>(index)];
    switch (node.kind) {
        case Node::Kind::Number:
            return node.value;
        case Node::Kind::N:
            return n;
        case Node::Kind::Not:
            return evaluate(node.a, n) == 0;
        case Node::Kind::Choice:
            return evaluate(node.a, n) != 0 ? evaluate(node.b, n) : evaluate(node.c, n);
        case Node::Kind::Binary:
            break;
    }
    const uint64_t a = evaluate(node.a, n);
    // && and || decide on their left side alone, as in C.
    if (node.op == '&' && a == 0) return 0;
    if (node.op == '|' && a != 0) return 1;
    const uint64_t b = evaluate(node.b, n);
    switch (node.op) {
        case '+':
            return a + b;
        case '-':
            return a - b;
        case '*':
            return a * b;
        case '/':
            return b == 0 ? 0 : a / b;
        case '%':
            return b == 0 ? 0 : a % b;
        case '<':
            return a < b;
        case '>':
            return a > b;
        case 'l':
            return a <= b;
        case 'g':
            return a >= b;
        case '=':
            return a == b;
        case '!':
            return a != b;
        default:
            return b != 0;  // && and || with the left side not deciding
    }
}

size_t PluralRule::form(uint64_t n) const {
    const uint64_t chosen = evaluate(root_, n);
    return chosen < forms_ ? static_cast<size_t>(chosen) : 0;
}

namespace {

// The .mo layout: a header of 32-bit words in the writer's byte order, then
// two tables of (length, offset) pairs for the originals and translations.
struct MoReader {
    std::string_view bytes;
    bool swapped = false;

    std::optional<uint32_t> word(size_t at) const {
        if (at > bytes.size() || bytes.size() - at < 4) return std::nullopt;
        uint32_t w = 0;
        std::memcpy(&w, bytes.data() + at, 4);
        if (swapped) w = __builtin_bswap32(w);
        return w;
    }
    std::optional<std::string_view> string(uint32_t table, uint32_t index) const {
        const auto length = word(size_t{table} + size_t{index} * 8);
        const auto offset = word(size_t{table} + size_t{index} * 8 + 4);
        if (!length || !offset || *offset > bytes.size() || bytes.size() - *offset <= *length)
            return std::nullopt;
        return bytes.substr(*offset, *length);
    }
};

std::vector<std::string> split_forms(std::string_view text) {
    std::vector<std::string> forms;
    for (size_t start = 0;;) {
        const size_t end = text.find('\0', start);
        forms.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return forms;
        start = end + 1;
    }
}

}  // namespace

std::optional<MessageCatalogue> MessageCatalogue::parse(std::string_view mo) {
    MoReader reader{mo};
    const auto magic = reader.word(0);
    if (!magic) return std::nullopt;
    if (*magic == 0xde120495u) {
        reader.swapped = true;
    } else if (*magic != 0x950412deu) {
        return std::nullopt;
    }
    const auto revision = reader.word(4), count = reader.word(8), originals = reader.word(12),
               translations = reader.word(16);
    if (!revision || !count || !originals || !translations || (*revision >> 16) > 1)
        return std::nullopt;
    if (*count > mo.size() / 16) return std::nullopt;  // more entries than the file could hold
    MessageCatalogue catalogue;
    for (uint32_t i = 0; i < *count; ++i) {
        const auto id = reader.string(*originals, i);
        const auto text = reader.string(*translations, i);
        if (!id || !text) return std::nullopt;
        const std::string_view singular = id->substr(0, id->find('\0'));
        if (singular.empty()) {
            const size_t at = text->find("Plural-Forms:");
            if (at != std::string_view::npos) {
                if (auto rule = PluralRule::parse(text->substr(at))) catalogue.rule_ = *rule;
            }
            continue;
        }
        catalogue.entries_[std::string(singular)] = split_forms(*text);
    }
    return catalogue;
}

const std::string* MessageCatalogue::find(std::string_view id) const {
    const auto found = entries_.find(id);
    if (found == entries_.end() || found->second.front().empty()) return nullptr;
    return &found->second.front();
}

const std::string* MessageCatalogue::find_plural(std::string_view id, uint64_t n) const {
    const auto found = entries_.find(id);
    if (found == entries_.end()) return nullptr;
    const size_t form = rule_.form(n);
    if (form >= found->second.size() || found->second[form].empty()) return nullptr;
    return &found->second[form];
}

}  // namespace velloxa
