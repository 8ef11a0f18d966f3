#include "platform/folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "io/languages.h"
#include "platform/disk_files.h"
#include "platform/shipped_language.h"

namespace velloxa {

namespace fs = std::filesystem;

namespace {

// Where an installed copy keeps its sounds, relative to the executable;
// empty for a copy that holds them beside itself.
std::string installed_data(const std::string& executable) {
    const fs::path share = (fs::path(executable) / "../share/velloxa").lexically_normal();
    std::error_code ec;
    return fs::is_directory(share / "sounds", ec) ? share.string() : std::string();
}

// The user's data folder, made on demand; empty when it cannot be made.
std::string prepared_user_folder() {
    const std::string data = user_data_folder();
    if (data.empty()) return data;
    std::error_code ec;
    fs::create_directories(data, ec);
    if (!fs::is_directory(data, ec)) return std::string();
    return data;
}

}  // namespace

std::string user_data_folder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* user = std::getenv("HOME");
    // Relative values are ignored, as the base directory rules ask.
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/velloxa";
    if (user && user[0] == '/') return std::string(user) + "/.local/share/velloxa";
    return std::string();
}

bool folder_writable(const std::string& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

namespace {

Folders pick_folders(const FolderSituation& situation) {
    const std::string installed = installed_data(situation.executable);
    const std::string app = installed.empty() ? situation.executable : installed;
    const std::string& home = situation.home;
    if (!home.empty()) {
        if (situation.headless) return Folders{home, home};
        std::error_code ec;
        const bool own_sounds = fs::is_directory(fs::path(home) / "sounds", ec);
        return Folders{own_sounds ? home : app, home};
    }
    if (installed.empty() && situation.executable_writable) return Folders{app, app};
    const std::string data = prepared_user_folder();
    // Without a user folder an installed copy still plays, saving nothing.
    return Folders{app, data.empty() ? app : data};
}

}  // namespace

Folders choose_folders(const FolderSituation& situation) {
    const Folders folders = pick_folders(situation);
    // --home and the headless runs are the player's own: nothing is removed there.
    if (!situation.headless && situation.home.empty()) {
        DiskFiles files;
        const std::string copy = folders.data + "/language.txt";
        std::error_code ec;
        if (is_unchanged_edition(files, copy, ShippedFor::linux_system)) fs::remove(copy, ec);
    }
    return folders;
}

Folders choose_folders(const CommandLine& cmd) {
    FolderSituation situation;
    situation.home = cmd.home;
    situation.executable = executable_folder();
    situation.executable_writable = folder_writable(situation.executable);
    situation.headless = !cmd.headless.empty();
    return choose_folders(situation);
}

std::string program_folder() {
    const std::string executable = executable_folder();
    const std::string installed = installed_data(executable);
    return installed.empty() ? executable : installed;
}

std::string system_language_code() {
    return system_language([](const char* name) -> std::string_view {
        const char* value = std::getenv(name);
        return value != nullptr ? value : "";
    });
}

}  // namespace velloxa
