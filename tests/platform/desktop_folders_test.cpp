#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/sdl/folders.h"
#include "support/harness.h"

namespace velloxa {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and restores it afterwards.
class EnvVar {
  public:
    EnvVar(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) {
            ::setenv(name, value->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~EnvVar() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(DesktopFolders, HomeOrAWritableProgramFolderHoldsEverything) {
    testing::TempDir dir;
    const Folders home = choose_folders("/some/home", dir.path(), false);
    EXPECT_EQ(home.app, "/some/home");
    EXPECT_EQ(home.data, "/some/home");
    const Folders own = choose_folders("", dir.path(), true);
    EXPECT_EQ(own.app, dir.path());
    EXPECT_EQ(own.data, dir.path());
}

TEST(DesktopFolders, AnInstalledCopyKeepsItsDataInTheUsersDataFolder) {
    testing::TempDir program, xdg;
    program.write("language.txt", "Main menu.\nHauptmenue.\n");
    EnvVar data("XDG_DATA_HOME", xdg.path());
    const Folders f = choose_folders("", program.path(), false);
    EXPECT_EQ(f.app, program.path());
    EXPECT_EQ(f.data, xdg.path() + "/velloxa");
    EXPECT_TRUE(fs::is_directory(f.data));
    // The shipped translation is copied once and then belongs to the user.
    EXPECT_EQ(xdg.read("velloxa/language.txt"), "Main menu.\nHauptmenue.\n");
    xdg.write("velloxa/language.txt", "edited\n");
    choose_folders("", program.path(), false);
    EXPECT_EQ(xdg.read("velloxa/language.txt"), "edited\n");
}

TEST(DesktopFolders, WithoutXdgDataHomeTheDataGoesUnderHome) {
    testing::TempDir program, user;
    EnvVar data("XDG_DATA_HOME", std::nullopt);
    EnvVar home("HOME", user.path());
    const Folders f = choose_folders("", program.path(), false);
    EXPECT_EQ(f.data, user.path() + "/.local/share/velloxa");
    EXPECT_TRUE(fs::is_directory(f.data));
    EXPECT_FALSE(fs::exists(f.data + "/language.txt"));
    // A relative XDG_DATA_HOME is not a base folder.
    EnvVar relative("XDG_DATA_HOME", "relative/path");
    EXPECT_EQ(choose_folders("", program.path(), false).data, f.data);
}

TEST(DesktopFolders, NoUsableDataFolderFallsBackToTheProgramFolder) {
    testing::TempDir program, user;
    user.write("blocked", "a file where a folder should be");
    EnvVar data("XDG_DATA_HOME", user.path() + "/blocked");
    EXPECT_EQ(choose_folders("", program.path(), false).data, program.path());
    EnvVar unset("XDG_DATA_HOME", std::nullopt);
    EnvVar nohome("HOME", std::nullopt);
    EXPECT_EQ(choose_folders("", program.path(), false).data, program.path());
}

}  // namespace
}  // namespace velloxa
