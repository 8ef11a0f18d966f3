#include "io/wildcard.h"

#include <vector>

namespace velloxa {

namespace {

struct Token {
    enum Kind : uint8_t { kAny, kDigit, kLiteral, kList };
    Kind kind = kLiteral;
    bool negate = false;
    char32_t c = 0;
    size_t begin = 0, end = 0;  // the list's characters within the pattern
};

bool inlist(std::u32string_view list, char32_t ch) {
    size_t q = 0;
    while (q < list.size()) {
        if (q + 2 < list.size() && list[q + 1] == U'-') {
            if (list[q] <= ch && ch <= list[q + 2]) return true;
            q += 3;
        } else {
            if (list[q] == ch) return true;
            ++q;
        }
    }
    return false;
}

class Matcher {
  public:
    Matcher(std::u32string_view text, std::u32string_view pattern, uint64_t& budget)
        : text_(text), pattern_(pattern), budget_(budget) {}

    bool run() {
        if (budget_ == 0 || !plainstart() || !tokenize()) return false;
        const size_t n = text_.size();
        if (segments_.size() == 1) return segments_[0].size() == n && at(segments_[0], 0);
        // The first part must start the text and the last must end it; the
        // ones between are taken at their leftmost places, which leaves the
        // most room for those after them.
        const Segment& first = segments_.front();
        const Segment& last = segments_.back();
        if (first.size() + last.size() > n) return false;
        if (!at(first, 0) || !at(last, n - last.size())) return false;
        size_t from = first.size();
        const size_t end = n - last.size();
        for (size_t s = 1; s + 1 < segments_.size(); ++s) {
            const Segment& seg = segments_[s];
            bool found = false;
            for (; from + seg.size() <= end; ++from) {
                if (at(seg, from)) {
                    found = true;
                    break;
                }
                if (budget_ == 0) return false;
            }
            if (!found) return false;
            from += seg.size();
        }
        return true;
    }

  private:
    struct Segment {
        size_t begin, end;  // within tokens_
        size_t size() const { return end - begin; }
    };

    // Most patterns begin with plain characters that most texts do not
    // share: a cheap look at them spares building the tokens.
    bool plainstart() const {
        for (size_t i = 0; i < pattern_.size(); ++i) {
            const char32_t c = pattern_[i];
            if (c == U'*' || c == U'?' || c == U'#' || c == U'[') return true;
            if (i >= text_.size() || text_[i] != c) return false;
        }
        return true;
    }

    // Tokens, and the runs between "*" (the first and last may be empty).
    // False when the pattern can match nothing this long text.
    bool tokenize() {
        size_t start = 0;
        for (size_t i = 0; i < pattern_.size();) {
            const char32_t c = pattern_[i];
            Token t;
            if (c == U'*') {
                segments_.push_back({start, tokens_.size()});
                start = tokens_.size();
                while (i < pattern_.size() && pattern_[i] == U'*') ++i;
                continue;
            }
            if (c == U'?') {
                t.kind = Token::kAny;
                ++i;
            } else if (c == U'#') {
                t.kind = Token::kDigit;
                ++i;
            } else if (c == U'[') {
                size_t j = i + 1;
                t.negate = j < pattern_.size() && pattern_[j] == U'!';
                if (t.negate) ++j;
                const size_t close = pattern_.find(U']', j);
                if (close == std::u32string_view::npos) return false;
                if (close == j && !t.negate) return false;
                t.kind = Token::kList;
                t.begin = j;
                t.end = close;
                i = close + 1;
            } else {
                t.c = c;
                ++i;
            }
            tokens_.push_back(t);
            if (tokens_.size() > text_.size()) return false;
        }
        segments_.push_back({start, tokens_.size()});
        return true;
    }

    bool accepts(const Token& t, char32_t ch) const {
        switch (t.kind) {
            case Token::kAny:
                return true;
            case Token::kDigit:
                return ch >= U'0' && ch <= U'9';
            case Token::kLiteral:
                return ch == t.c;
            case Token::kList:
                return inlist(pattern_.substr(t.begin, t.end - t.begin), ch) != t.negate;
        }
        return false;
    }

    // Whether `seg` matches the text from `pos` on.
    bool at(const Segment& seg, size_t pos) {
        for (size_t k = 0; k < seg.size(); ++k) {
            if (budget_ == 0) return false;
            --budget_;
            if (!accepts(tokens_[seg.begin + k], text_[pos + k])) return false;
        }
        return true;
    }

    std::u32string_view text_, pattern_;
    uint64_t& budget_;
    std::vector<Token> tokens_;
    std::vector<Segment> segments_;
};

}  // namespace

bool wildcardmatch(std::u32string_view text, std::u32string_view pattern, uint64_t& budget) {
    return Matcher(text, pattern, budget).run();
}

bool wildcardmatch(std::u32string_view text, std::u32string_view pattern) {
    uint64_t unlimited = UINT64_MAX;
    return wildcardmatch(text, pattern, unlimited);
}

}  // namespace velloxa
