// The progress file's format: settings, campaign position, collection and
// deck, as text in and text out. Reading never fails: what cannot be read
// keeps the value it had.
#pragma once

#include <optional>
#include <string>

#include "cards/catalogue.h"
#include "cards/collection.h"

namespace velloxa {

// The settings the file keeps besides the collection.
struct Settings {
    int speech_route = 0;
    int difficulty = 0;
    double voice_rate = 0;
    std::string sound_folder;
};

std::string write_progress_text(const Settings& settings, const Collection& collection,
                                const Catalogue& cards);

struct ProgressRead {
    bool rate_read = false;  // line 3 held a number
    // The file holds something the next save would not write back: a name
    // that names no tile, a number line without a number, a level that does
    // not exist, a collection cut off or longer than its count.
    bool partial = false;
};

ProgressRead read_progress(const std::string& text, const Catalogue& cards, Settings& settings,
                           Collection& collection);

}  // namespace velloxa
