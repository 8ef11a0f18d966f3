#include "platform/sdl/folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace velloxa {

namespace fs = std::filesystem;

bool folder_writable(const std::string& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

Folders choose_folders(const std::string& home, const std::string& program, bool program_writable) {
    if (!home.empty()) return Folders{home, home};
    if (program_writable) return Folders{program, program};
    std::string base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* user = std::getenv("HOME");
    // Relative values are ignored, as the base directory rules ask.
    if (xdg && xdg[0] == '/') {
        base = xdg;
    } else if (user && user[0] == '/') {
        base = std::string(user) + "/.local/share";
    } else {
        return Folders{program, program};
    }
    const std::string data = base + "/velloxa";
    std::error_code ec;
    fs::create_directories(data, ec);
    if (!fs::is_directory(data, ec)) return Folders{program, program};
    const fs::path language = fs::path(data) / "language.txt";
    const fs::path shipped = fs::path(program) / "language.txt";
    if (!fs::exists(language, ec) && fs::is_regular_file(shipped, ec))
        fs::copy_file(shipped, language, ec);
    return Folders{program, data};
}

}  // namespace velloxa
