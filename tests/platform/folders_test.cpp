#include "platform/folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/disk_files.h"
#include "platform/shipped_language.h"
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

// An installed copy (prefix/bin beside prefix/share/velloxa), an unpacked
// one (sounds beside the executable), a --home with sounds and one without.
struct StartFolders : ::testing::Test {
    TempDir root, user;
    EnvVar data{"XDG_DATA_HOME", user.path().c_str()};
    std::string bin = root.path() + "/prefix/bin";
    std::string share = root.path() + "/prefix/share/velloxa";
    std::string unpacked = root.path() + "/unpacked";
    std::string home_with_sounds = root.path() + "/mine";
    std::string home_without = root.path() + "/elsewhere";
    std::string users = user.path() + "/velloxa";

    StartFolders() {
        root.write("prefix/bin/velloxa", "");
        root.write("prefix/share/velloxa/sounds/capture.wav", "");
        root.write("unpacked/sounds/capture.wav", "");
        root.write("mine/sounds/capture.wav", "");
    }
    Folders choose(const std::string& home, const std::string& executable, bool writable,
                   bool headless) {
        return choose_folders(FolderSituation{home, executable, writable, headless});
    }
};

TEST_F(StartFolders, EachSituationPicksItsSoundsAndDataFolders) {
    struct Case {
        const char* what;
        std::string home, executable;
        bool writable, headless;
        std::string app, data;
    };
    const Case cases[] = {
        {"installed, even where root may write", "", bin, true, false, share, users},
        {"installed, headless", "", bin, true, true, share, users},
        {"unpacked and writable", "", unpacked, true, false, unpacked, unpacked},
        {"unpacked, read-only", "", unpacked, false, true, unpacked, users},
        {"--home headless is everything", home_without, bin, true, true, home_without,
         home_without},
        {"--home with its own sounds", home_with_sounds, bin, false, false, home_with_sounds,
         home_with_sounds},
        {"--home without sounds, installed", home_without, bin, false, false, share, home_without},
        {"--home without sounds, unpacked", home_without, unpacked, true, false, unpacked,
         home_without},
    };
    for (const Case& c : cases) {
        const Folders f = choose(c.home, c.executable, c.writable, c.headless);
        EXPECT_EQ(f.app, c.app) << c.what;
        EXPECT_EQ(f.data, c.data) << c.what;
    }
}

// The English edition is a catalogue now: a language file that is still an
// edition once shipped goes at start, line ends aside; the player's own stays.
TEST_F(StartFolders, AnUnchangedShippedLanguageFileIsRetiredAndAnEditedOneKept) {
    const std::vector<std::string_view>& editions =
        shipped_language_editions(ShippedFor::linux_system);
    ASSERT_EQ(editions.size(), 3u);
    for (const std::string_view edition : editions) {
        std::string unix_ends(edition);
        std::erase(unix_ends, '\r');
        user.write("velloxa/language.txt", unix_ends);
        choose("", bin, false, false);
        EXPECT_FALSE(std::filesystem::exists(users + "/language.txt"));
    }
    const std::string earlier(editions.front());
    for (const std::string& mine : {earlier + "Good luck\r\nBonne chance\r\n", std::string()}) {
        user.write("velloxa/language.txt", mine);
        choose("", bin, false, false);
        EXPECT_EQ(user.read("velloxa/language.txt"), mine);
    }
    // --home and headless runs are the player's: nothing is removed there.
    root.write("elsewhere/language.txt", earlier);
    choose(home_without, bin, false, false);
    user.write("velloxa/language.txt", earlier);
    choose("", bin, false, true);
    EXPECT_EQ(root.read("elsewhere/language.txt"), earlier);
    EXPECT_EQ(user.read("velloxa/language.txt"), earlier);
    // Each system knows only its own editions.
    DiskFiles files;
    EXPECT_FALSE(is_unchanged_edition(files, users + "/language.txt", ShippedFor::windows_system));
}

TEST_F(StartFolders, WithoutAUsableUserFolderTheProgramFolderIsUsed) {
    // A relative XDG_DATA_HOME is not a base folder: HOME decides.
    data.set("relative/path");
    EnvVar home("HOME", user.path().c_str());
    EXPECT_EQ(choose("", unpacked, false, false).data, user.path() + "/.local/share/velloxa");
    // A file where the folder should be, or no HOME at all.
    data.set((user.path() + "/language.txt").c_str());
    user.write("language.txt", "a file where a folder should be");
    EXPECT_EQ(choose("", unpacked, false, false).data, unpacked);
    data.set(nullptr);
    home.set(nullptr);
    EXPECT_EQ(choose("", bin, false, false).data, share);
}

}  // namespace
}  // namespace velloxa
