#include <exception>

#include "io/output.h"

namespace velloxa {

void Output::append_debug_log(const std::string& line) {
    // The log is opened, written and closed for every line; a log that
    // cannot be written loses the line and nothing else.
    try {
        platform_.files.append_line(data_path("/debuglog.txt"), line);
    } catch (const std::exception&) {
    }
}

}  // namespace velloxa
