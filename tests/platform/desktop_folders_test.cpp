#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/sdl/folders.h"
#include "support/harness.h"

namespace velloxa {
namespace {

using testing::TempDir;

// Sets an environment variable (or unsets it) until the end of the scope.
struct EnvVar {
    const char* name;
    std::optional<std::string> old;
    EnvVar(const char* n, const char* value) : name(n) {
        if (const char* was = std::getenv(n)) old = was;
        set(value);
    }
    ~EnvVar() { set(old ? old->c_str() : nullptr); }
    void set(const char* value) { value ? ::setenv(name, value, 1) : ::unsetenv(name); }
};

std::string datafolder(const std::string& program) {
    return choose_folders("", program, false).data;
}

TEST(DesktopFolders, AnInstalledCopyKeepsItsDataInTheUsersDataFolder) {
    TempDir program, user;
    EXPECT_EQ(choose_folders("/some/home", program.path(), false).data, "/some/home");
    EXPECT_EQ(choose_folders("", program.path(), true).data, program.path());  // writable
    EXPECT_EQ(choose_folders("", program.path(), false).app, program.path());
    program.write("language.txt", "Main menu.\nHauptmenue.\n");
    EnvVar data("XDG_DATA_HOME", user.path().c_str());
    EXPECT_EQ(datafolder(program.path()), user.path() + "/velloxa");
    // The shipped translation is copied once and then belongs to the user.
    EXPECT_EQ(user.read("velloxa/language.txt"), "Main menu.\nHauptmenue.\n");
    user.write("velloxa/language.txt", "edited\n");
    datafolder(program.path());
    EXPECT_EQ(user.read("velloxa/language.txt"), "edited\n");
    // Without a usable XDG_DATA_HOME (a relative one is not a base folder): under
    // HOME, and without HOME or where a file blocks the folder, the program folder.
    data.set("relative/path");
    EnvVar home("HOME", user.path().c_str());
    EXPECT_EQ(datafolder(program.path()), user.path() + "/.local/share/velloxa");
    data.set((user.path() + "/language.txt").c_str());
    user.write("language.txt", "a file where a folder should be");
    EXPECT_EQ(datafolder(program.path()), program.path());
    data.set(nullptr);
    home.set(nullptr);
    EXPECT_EQ(datafolder(program.path()), program.path());
}

}  // namespace
}  // namespace velloxa
