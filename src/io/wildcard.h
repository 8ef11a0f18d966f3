// Whole-text pattern matching for the language file.
#pragma once

#include <cstdint>
#include <string_view>

namespace velloxa {

// Whether `pattern` covers all of `text`, both in characters. In the
// pattern "*" matches any run of characters (also none), "?" any one
// character, "#" one digit 0..9, "[list]" one character of the list and
// "[!list]" one character not in it; everything else matches itself, letter
// case included. A list holds characters and ranges such as "a-z"; a "-"
// first or last is itself, a descending range holds nothing, "[]" matches
// nothing, "[!]" any one character, and a "[" that is never closed makes the
// whole pattern match nothing.
//
// Every token but "*" takes exactly one character, so the parts between the
// "*" are simply looked for from left to right: the cost is at most text
// length times pattern length, however many "*" there are. Each character
// compared uses up one step of `budget`; once it is used up nothing matches
// any more, which bounds the time a hostile language file can take.
bool wildcardmatch(std::u32string_view text, std::u32string_view pattern, uint64_t& budget);

// The same without a limit.
bool wildcardmatch(std::u32string_view text, std::u32string_view pattern);

}  // namespace velloxa
