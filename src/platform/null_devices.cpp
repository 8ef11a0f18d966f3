#include "platform/null_devices.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace velloxa {

void NoScreenReader::say(const std::string&) {
    throw std::runtime_error("no screen reader");
}

void SilentSound::load(int, const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) throw std::runtime_error("file not found");
}

}  // namespace velloxa
