#include "io/wildcard.h"

#include <utility>

namespace velloxa {

WildcardPattern::WildcardPattern(std::u32string pattern) : pattern_(std::move(pattern)) {
    const size_t size = pattern_.size();
    const size_t star = pattern_.find(U'*');
    first_star_ = star == std::u32string::npos ? 0 : star + 1;
    first_end_ = size;
    size_t tokens = 0;  // since the last "*"
    for (size_t i = 0; i < size;) {
        const char32_t c = pattern_[i];
        if (c == U'*') {
            if (first_end_ == size) first_end_ = i;
            while (i < size && pattern_[i] == U'*') ++i;
            last_begin_ = i;
            tokens = 0;
            continue;
        }
        if (c == U'[') {
            size_t j = i + 1;
            const bool negate = j < size && pattern_[j] == U'!';
            if (negate) ++j;
            const size_t close = pattern_.find(U']', j);
            if (close == std::u32string::npos || (close == j && !negate)) {
                never_ = true;
                return;
            }
            i = close + 1;
        } else {
            ++i;
        }
        ++tokens;
        ++tokens_;
    }
    last_tokens_ = tokens;
}

namespace {

// One match of a pattern against a text. Each loop works on local copies of
// the budget and the places and hands them back at its end, so that they
// stay in registers rather than in memory that the compiler must assume
// the pattern shares.
class Matcher {
  public:
    Matcher(std::u32string_view pattern, std::u32string_view text, uint64_t budget)
        : pattern_(pattern.data()),
          pattern_end_(pattern.data() + pattern.size()),
          text_(text.data()),
          budget_(budget) {}

    uint64_t budget() const { return budget_; }

    // Compares the tokens from `at` up to the next "*" or the end with the
    // text from `from` on, but not beyond `end`, moving both past what
    // matched.
    bool part(size_t& at, size_t& from, size_t end) {
        const char32_t* p = pattern_ + at;
        const char32_t* t = text_ + from;
        const char32_t* const text_end = text_ + end;
        uint64_t left = budget_;
        bool matched = true;
        for (; p != pattern_end_ && *p != U'*'; ++t) {
            if (t == text_end || !token(p, *t, left)) {
                matched = false;
                break;
            }
        }
        at = static_cast<size_t>(p - pattern_);
        from = static_cast<size_t>(t - text_);
        budget_ = left;
        return matched;
    }

    // The leftmost place from `from` on where the part at `at` matches and
    // ends by `end`; moves both past it.
    bool leftmost(size_t& at, size_t& from, size_t end) {
        for (;; ++from) {
            // Places where the first token fails are passed over here,
            // without setting up the whole part.
            const char32_t* const first = pattern_ + at;
            const char32_t* next = first;
            const char32_t* t = text_ + from;
            const char32_t* const text_end = text_ + end;
            uint64_t left = budget_;
            while (t != text_end && !token(next, *t, left)) {
                if (left == 0) break;
                next = first;
                ++t;
            }
            from = static_cast<size_t>(t - text_);
            budget_ = left;
            if (from >= end || budget_ == 0) return false;
            size_t part_at = static_cast<size_t>(next - pattern_), part_from = from + 1;
            if (part(part_at, part_from, end)) {
                at = part_at;
                from = part_from;
                return true;
            }
            // Too little text left here is too little further on too.
            if (budget_ == 0 || part_from >= end) return false;
        }
    }

  private:
    // Compares the token at `p` with `ch`, a step (and a step for each
    // entry of a list looked at), and moves `p` past it. False also when
    // the budget runs out.
    static bool token(const char32_t*& p, char32_t ch, uint64_t& left) {
        if (left == 0) return false;
        --left;
        const char32_t c = *p++;
        if (c == U'?') return true;
        if (c == U'#') return ch >= U'0' && ch <= U'9';
        if (c != U'[') return c == ch;
        // The list ends at the first "]" (the pattern was checked to hold
        // one), so a "-" followed by that "]" is itself.
        const bool negate = *p == U'!';
        if (negate) ++p;
        bool in = false;
        while (*p != U']') {
            if (left == 0) return false;
            --left;
            if (p[1] == U'-' && p[2] != U']') {
                in |= p[0] <= ch && ch <= p[2];
                p += 3;
            } else {
                in |= *p == ch;
                ++p;
            }
        }
        ++p;
        return in != negate;
    }

    const char32_t* pattern_;
    const char32_t* pattern_end_;
    const char32_t* text_;
    uint64_t budget_;
};

}  // namespace

bool WildcardPattern::matches(std::u32string_view text, uint64_t& budget) const {
    if (budget == 0) return false;
    --budget;
    const size_t n = text.size();
    if (never_ || tokens_ > n) return false;
    Matcher m(pattern_, text, budget);
    const bool matched = [&] {
        size_t at = 0, from = 0;
        if (first_end_ == pattern_.size()) return tokens_ == n && m.part(at, from, n);
        // The first part must start the text and the last must end it; the
        // ones between are taken at their leftmost places, which leaves the
        // most room for those after them.
        size_t last_at = last_begin_, last_from = n - last_tokens_;
        if (!m.part(at, from, n) || !m.part(last_at, last_from, n)) return false;
        for (;;) {
            while (pattern_[at] == U'*') ++at;
            if (at >= last_begin_) return true;
            if (!m.leftmost(at, from, n - last_tokens_)) return false;
        }
    }();
    budget = m.budget();
    return matched;
}

bool wildcard_match(std::u32string_view text, std::u32string_view pattern) {
    uint64_t unlimited = UINT64_MAX;
    return WildcardPattern(std::u32string(pattern)).matches(text, unlimited);
}

}  // namespace velloxa
