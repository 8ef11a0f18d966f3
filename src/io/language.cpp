#include <algorithm>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cards/text.h"
#include "io/output.h"
#include "io/wildcard.h"

namespace velloxa {

namespace {

// Translated texts never grow beyond this many characters: entries that
// feed each other could otherwise grow a text without end.
constexpr size_t kMaxTextLength = 4000;  // mutate: language-no-length-limit

// The table while the file is read. Each new pair goes before the first
// entry whose pattern is not longer than the new match text, which keeps
// the table longest first and puts later lines before earlier ones of the
// same length. A file may hold far more pairs than the table keeps, so the
// entries sit in a randomised search tree by position, each subtree knowing
// its shortest pattern: finding the place, inserting and dropping the last
// entry all cost the tree's depth rather than the table's size.
class LengthTable {
  public:
    explicit LengthTable(size_t capacity) : capacity_(capacity) {}

    void add(std::string match, std::string replacement) {
        const size_t read_length = text_length(match);
        std::string pattern = replace_all(match, "$T", "*");
        const size_t at = first_not_longer(read_length);
        if (at >= capacity_) return;  // would come after every entry kept
        const size_t length = text_length(pattern);
        const int node = new_node(length, std::move(pattern), std::move(replacement));
        auto [before, after] = split(root_, at);
        root_ = merge(merge(before, node), after);
        if (size(root_) > capacity_) {
            auto [kept, last] = split(root_, capacity_);
            root_ = kept;
            free_node(last);
        }
    }

    size_t count() const { return size(root_); }

    // The entries in table order.
    void collect(std::vector<std::string>& from, std::vector<std::string>& to) {
        from.clear();
        to.clear();
        from.reserve(count());
        to.reserve(count());
        std::vector<int> stack;
        for (int n = root_; n >= 0 || !stack.empty();) {
            if (n >= 0) {
                stack.push_back(n);
                n = nodes_[static_cast<size_t>(n)].left;
                continue;
            }
            n = stack.back();
            stack.pop_back();
            Node& node = nodes_[static_cast<size_t>(n)];
            from.push_back(std::move(node.pattern));
            to.push_back(std::move(node.replacement));
            n = node.right;
        }
    }

  private:
    struct Node {
        size_t length = 0;    // of the stored pattern, in characters
        size_t shortest = 0;  // shortest pattern in this subtree
        size_t size = 1;
        uint32_t priority = 0;
        int left = -1, right = -1;
        std::string pattern, replacement;
    };

    Node& at(int n) { return nodes_[static_cast<size_t>(n)]; }
    size_t size(int n) const { return n < 0 ? 0 : nodes_[static_cast<size_t>(n)].size; }
    size_t shortest(int n) const {
        return n < 0 ? SIZE_MAX : nodes_[static_cast<size_t>(n)].shortest;
    }

    void update(int n) {
        Node& node = at(n);
        node.size = 1 + size(node.left) + size(node.right);
        node.shortest = std::min({node.length, shortest(node.left), shortest(node.right)});
    }

    // Position of the first entry whose pattern is not longer than `length`;
    // the entry count when there is none.
    size_t first_not_longer(size_t length) const {
        size_t skipped = 0;
        for (int n = root_; n >= 0;) {
            const Node& node = nodes_[static_cast<size_t>(n)];
            if (node.shortest > length) return skipped + node.size;  // mutate: language-order
            if (shortest(node.left) <= length) {
                n = node.left;
            } else if (node.length <= length) {
                return skipped + size(node.left);
            } else {
                skipped += size(node.left) + 1;
                n = node.right;
            }
        }
        return skipped;
    }

    // The first `k` entries of `n`, and the rest.
    std::pair<int, int> split(int n, size_t k) {
        if (n < 0) return {-1, -1};
        if (size(at(n).left) >= k) {
            auto [a, b] = split(at(n).left, k);
            at(n).left = b;
            update(n);
            return {a, n};
        }
        auto [a, b] = split(at(n).right, k - size(at(n).left) - 1);
        at(n).right = a;
        update(n);
        return {n, b};
    }

    int merge(int a, int b) {
        if (a < 0) return b;
        if (b < 0) return a;
        if (at(a).priority > at(b).priority) {
            at(a).right = merge(at(a).right, b);
            update(a);
            return a;
        }
        at(b).left = merge(a, at(b).left);
        update(b);
        return b;
    }

    int new_node(size_t length, std::string pattern, std::string replacement) {
        int n;
        if (!free_.empty()) {
            n = free_.back();
            free_.pop_back();
        } else {
            n = static_cast<int>(nodes_.size());
            nodes_.emplace_back();
        }
        Node& node = at(n);
        node = Node{};
        node.length = length;
        node.priority = next_priority();
        node.pattern = std::move(pattern);
        node.replacement = std::move(replacement);
        update(n);
        return n;
    }

    void free_node(int n) {
        if (n < 0) return;
        free_node(at(n).left);
        free_node(at(n).right);
        at(n) = Node{};
        free_.push_back(n);
    }

    // xorshift32: balance only, so the game's own random draws stay untouched.
    uint32_t next_priority() {
        seed_ ^= seed_ << 13;
        seed_ ^= seed_ >> 17;
        seed_ ^= seed_ << 5;
        return seed_;
    }

    size_t capacity_;
    std::vector<Node> nodes_;
    std::vector<int> free_;
    int root_ = -1;
    uint32_t seed_ = 2463534242u;
};

// The next line that is not empty; false at the end of the file.
bool next_non_empty(TextLines& lines, std::string& line) {
    while (lines.next(line))
        if (!line.empty()) return true;
    return false;
}

LanguageEntry make_entry(const std::string& pattern, const std::string& replacement) {
    LanguageEntry entry{WildcardPattern(code_points(pattern)), code_points(replacement)};
    for (size_t at = 0; (at = entry.replacement.find(U"$T", at)) != std::u32string::npos; at += 2)
        ++entry.holes;
    entry.fixed_length = entry.replacement.size() - 2 * entry.holes;
    if (entry.fixed_length > kMaxTextLength) std::u32string().swap(entry.replacement);
    return entry;
}

// Takes up to `steps` from `budget`; false, with the budget spent, when it
// holds fewer.
bool spend(uint64_t& budget, uint64_t steps) {
    if (steps > budget) {
        budget = 0;
        return false;
    }
    budget -= steps;
    return true;
}

}  // namespace

void Output::load_language_file() {
    language_.entry_count = 0;
    language_.language_from.clear();
    language_.language_to.clear();
    language_.entries.clear();
    LengthTable table(static_cast<size_t>(Language::kMaxEntries));
    try {
        const std::string path = data_path("/language.txt");
        if (!platform_.files.exists(path)) return;
        const std::optional<std::string> bytes = platform_.files.read(path);
        if (!bytes) return;
        TextLines lines(*bytes);
        if (!lines.next(language_.language_title)) return;
        std::string match, replacement;
        // A match text with no replacement after it is dropped.
        // mutate: language-empty-lines-read
        while (next_non_empty(lines, match) && next_non_empty(lines, replacement))
            table.add(std::move(match), std::move(replacement));
    } catch (const std::exception&) {
        // An unreadable file translates what was read up to the failure.
    }
    try {
        table.collect(language_.language_from, language_.language_to);
        language_.entries.reserve(language_.language_from.size());
        for (size_t i = 0; i < language_.language_from.size(); ++i)
            language_.entries.push_back(
                make_entry(language_.language_from[i], language_.language_to[i]));
        language_.entry_count = static_cast<int>(language_.language_from.size());
    } catch (const std::exception&) {
        language_.language_from.clear();
        language_.language_to.clear();
        language_.entries.clear();
    }
}

void translate(const Language& language, std::string& text, uint64_t& budget) {
    std::u32string chars = code_points(text);
    if (!spend(budget, chars.size())) return;
    bool changed = false;
    const size_t count =
        std::min(static_cast<size_t>(std::max(language.entry_count, 0)), language.entries.size());
    for (size_t i = 0; i < count && budget > 0; ++i) {
        try {
            const LanguageEntry& entry = language.entries[i];
            if (!entry.pattern.matches(chars, budget)) continue;
            // The variable part runs from the first "*" to as many characters
            // before the end as the pattern has after it.
            const auto length = static_cast<int64_t>(chars.size());
            const auto p = static_cast<int64_t>(entry.pattern.first_star());
            const int64_t tail = p == 0 ? length : std::clamp<int64_t>(length - p + 1, 0, length);
            const int64_t kept =
                std::max<int64_t>(0, tail - (static_cast<int64_t>(entry.pattern.size()) - p));
            const size_t result_length =
                entry.fixed_length + entry.holes * static_cast<size_t>(kept);
            if (result_length > kMaxTextLength) continue;
            // Going through the replacement and writing the new text.
            if (!spend(budget, entry.replacement.size() + result_length)) break;
            const std::u32string_view captured = std::u32string_view(chars).substr(
                static_cast<size_t>(length - tail), static_cast<size_t>(kept));
            std::u32string result;
            result.reserve(result_length);
            size_t from = 0;
            for (size_t at; (at = entry.replacement.find(U"$T", from)) != std::u32string::npos;
                 from = at + 2)
                result.append(entry.replacement, from, at - from).append(captured);
            result.append(entry.replacement, from);
            chars = std::move(result);
            changed = true;
        } catch (const std::exception&) {
            // This entry is skipped; the others are still tried.
        }
    }
    if (changed) text = utf8(chars);
}

void Output::translate(std::string& text) {
    uint64_t budget = Language::kTranslateSteps;
    velloxa::translate(language_, text, budget);
}

}  // namespace velloxa
