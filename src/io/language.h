// Translation table read from the language file.
#pragma once

#include <string>
#include <vector>

namespace velloxa {

struct Language {
    static constexpr int kMaxEntries = 6000;
    int langcount = 0;
    std::vector<std::string> langfrom;  // 0-based storage of entries 1..langcount
    std::vector<std::string> langto;
    std::string langtitle;
};

}  // namespace velloxa
