// Whole-text pattern matching for the language file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velloxa {

// A pattern of the language file, read once and matched against many texts.
// It must cover all of a text, both in characters. "*" matches any run of
// characters (also none), "?" any one character, "#" one digit 0..9,
// "[list]" one character of the list and "[!list]" one character not in it;
// everything else matches itself, letter case included. A list holds
// characters and ranges such as "a-z"; a "-" first or last is itself, a
// descending range holds nothing, "[]" matches nothing, "[!]" any one
// character, and a "[" that is never closed makes the whole pattern match
// nothing.
//
// Every token but "*" takes exactly one character, so the parts between the
// "*" are simply looked for from left to right: the cost is at most text
// length times pattern length, however many "*" there are.
class WildcardPattern {
  public:
    explicit WildcardPattern(std::u32string pattern);

    // Whether the pattern covers `text`. Trying the pattern, each character
    // compared and each entry of a list looked at use up one step of
    // `budget`; once it is used up nothing matches any more, which bounds
    // the time a hostile language file can take.
    bool matches(std::u32string_view text, uint64_t& budget) const;

    // Length in characters, "*" included.
    size_t size() const { return pattern_.size(); }
    // Position of the first "*" counting from 1, also one inside a list; 0
    // when there is none.
    size_t first_star() const { return first_star_; }

  private:
    std::u32string pattern_;
    size_t first_star_ = 0;
    bool never_ = false;      // a "[" never closed, or a "[]"
    size_t tokens_ = 0;       // characters a text needs at least
    size_t first_end_ = 0;    // where the first "*" stands; the size when none
    size_t last_begin_ = 0;   // just after the last "*"
    size_t last_tokens_ = 0;  // of the part after the last "*"
};

// Whether `pattern` covers `text`, without a limit.
bool wildcard_match(std::u32string_view text, std::u32string_view pattern);

}  // namespace velloxa
