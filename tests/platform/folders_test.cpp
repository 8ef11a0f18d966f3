#include "platform/folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "platform/disk_files.h"
#include "platform/shipped_language.h"
#include "support/harness.h"

namespace velloxa {
namespace {

using testing::read_file;
using testing::source_folder;
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
        root.write("prefix/share/velloxa/language.txt", "Linux\r\nSapi on\r\nVoice on\r\n");
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

TEST_F(StartFolders, TheShippedLanguageFileFollowsEachEditionUntilThePlayerChangesIt) {
    const std::string shipped = "Linux\r\nSapi on\r\nVoice on\r\n";
    choose("", bin, false, false);
    EXPECT_EQ(user.read("velloxa/language.txt"), shipped);
    // A copy of an earlier edition that the player never changed is replaced.
    const std::string earlier(earlier_language_editions(ShippedFor::linux_system).front());
    user.write("velloxa/language.txt", earlier);
    choose("", bin, false, true);
    EXPECT_EQ(user.read("velloxa/language.txt"), shipped);
    // An edited copy, or one emptied to turn the texts off, is the player's.
    for (const std::string& mine : {earlier + "Good luck\r\nBonne chance\r\n", std::string()}) {
        user.write("velloxa/language.txt", mine);
        choose("", bin, false, false);
        EXPECT_EQ(user.read("velloxa/language.txt"), mine);
    }
    const auto files = std::filesystem::directory_iterator(users);
    EXPECT_EQ(std::distance(begin(files), end(files)), 1) << "a temporary file was left behind";
    // --home is the player's folder: nothing is put into it.
    choose(home_without, bin, false, false);
    EXPECT_EQ(root.read("elsewhere/language.txt"), "");
}

// Each system recognises only its own editions: the Windows file names the
// routes differently, and a Linux file in a Windows folder was put there by hand.
TEST(ShippedLanguageCopy, EachSystemReplacesOnlyItsOwnEarlierEditions) {
    TempDir dir;
    DiskFiles files;
    dir.write("shipped.txt", "new edition\r\n");
    const std::string earlier(earlier_language_editions(ShippedFor::linux_system).front());
    dir.write("copy.txt", earlier);
    const std::string shipped = dir.path() + "/shipped.txt", copy = dir.path() + "/copy.txt";
    // Nothing shipped: the copy stays as it is.
    refresh_language_copy(files, dir.path() + "/none.txt", copy, ShippedFor::linux_system);
    refresh_language_copy(files, shipped, copy, ShippedFor::windows_system);
    EXPECT_EQ(dir.read("copy.txt"), earlier);
}

// A shipped file's title names its edition; every edition before it must be
// kept in packaging/editions/ and compiled in, or players who hold it never
// get the new one.
TEST(ShippedLanguageCopy, EveryEarlierEditionIsKept) {
    const std::string source = source_folder();
    struct System {
        const char *file, *name;
        ShippedFor system;
    };
    for (const System& s :
         {System{"packaging/language.txt", "linux", ShippedFor::linux_system},
          System{"packaging/windows/language.txt", "windows", ShippedFor::windows_system}}) {
        SCOPED_TRACE(s.file);
        const std::string current = read_file(source + "/" + s.file);
        std::smatch title;
        const std::string first = current.substr(0, current.find_first_of("\r\n"));
        ASSERT_TRUE(std::regex_search(first, title, std::regex("edition (\\d+)$"))) << first;
        const size_t edition = std::stoul(title[1]);
        const std::vector<std::string_view>& earlier = earlier_language_editions(s.system);
        EXPECT_EQ(earlier.size(), edition - 1);
        for (size_t n = 1; n < edition; ++n) {
            const std::string kept = read_file(source + "/packaging/editions/" + s.name + "-" +
                                               std::to_string(n) + ".txt");
            EXPECT_FALSE(kept.empty()) << "edition " << n << " is missing";
            EXPECT_NE(std::find(earlier.begin(), earlier.end(), kept), earlier.end());
        }
        EXPECT_EQ(std::find(earlier.begin(), earlier.end(), current), earlier.end())
            << "the current edition is also an earlier one";
    }
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
