// Translation table read from the language file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "io/wildcard.h"

namespace velloxa {

// One entry as translation uses it, made once when the file is read.
struct LanguageEntry {
    WildcardPattern pattern;
    std::u32string replacement;  // left empty when it could never be made
    size_t fixed_length = 0;     // characters of the replacement besides its "$T"
    size_t holes = 0;            // its "$T"
};

struct Language {
    static constexpr int kMaxEntries = 6000;  // mutate: language-more-entries
    // Steps one spoken text may cost: a character converted, compared or
    // copied, an entry of a bracket list looked at, or an entry tried, is
    // one step. Sensible files use a small fraction of this; a file built to
    // be slow stops being applied once it is spent, after about 10 ms on a
    // current machine, instead of freezing the game. Counting steps rather
    // than time keeps a run the same on every machine.
    static constexpr uint64_t kTranslateSteps = 5'000'000;
    int entry_count = 0;
    std::vector<std::string> language_from;  // 0-based storage of entries 1..entry_count
    std::vector<std::string> language_to;
    std::string language_title;
    std::vector<LanguageEntry> entries;  // patterns and replacements, ready for matching
};

// Rewrites `text` through the first `language.entry_count` entries, each tried
// once in order, spending `budget` steps at most. Once they are spent, the
// entries still to come are not applied.
void translate(const Language& language, std::string& text, uint64_t& budget);

}  // namespace velloxa
