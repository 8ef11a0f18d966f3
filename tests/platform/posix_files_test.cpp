#include "platform/posix_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/background_saves.h"
#include "platform/data_folder_lock.h"
#include "support/harness.h"

namespace velloxa {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

mode_t mode_of(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Names in `folder`, sorted.
std::vector<std::string> names_in(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct ReplaceCase {
    const char* name;
    // Sets up the folder; returns the file that must end up with the text.
    std::string (*prepare)(const TempDir& dir);
    mode_t mode;  // what that file's permissions must be afterwards
};

const ReplaceCase kReplaceCases[] = {
    {"NewFile", [](const TempDir& dir) { return dir.path() + "/progress.ini"; }, 0644},
    {"KeepsThePlayersMode",
     [](const TempDir& dir) {
         dir.write("progress.ini", "old");
         ::chmod((dir.path() + "/progress.ini").c_str(), 0600);
         return dir.path() + "/progress.ini";
     },
     0600},
    {"FollowsARelativeLinkIntoASyncedFolder",
     [](const TempDir& dir) {
         dir.write("synced/progress.ini", "old");
         ::chmod((dir.path() + "/synced/progress.ini").c_str(), 0640);
         fs::create_symlink("synced/progress.ini", dir.path() + "/progress.ini");
         return dir.path() + "/synced/progress.ini";
     },
     0640},
    {"FollowsAChainOfLinksToAFileNotThereYet",
     [](const TempDir& dir) {
         dir.write("synced/.keep", "");
         fs::create_symlink(dir.path() + "/middle", dir.path() + "/progress.ini");
         fs::create_symlink("synced/progress.ini", dir.path() + "/middle");
         return dir.path() + "/synced/progress.ini";
     },
     0644},
};

class FilesReplace : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(FilesReplace, WritesTheFileThePathStandsFor) {
    TempDir dir;
    const std::string target = GetParam().prepare(dir);
    const std::string path = dir.path() + "/progress.ini";
    const bool linked = fs::is_symlink(path);
    PosixFiles files;
    files.replace(path, "new\r\n");
    EXPECT_EQ(files.read(target), "new\r\n");
    EXPECT_EQ(mode_of(target), GetParam().mode);
    EXPECT_EQ(fs::is_symlink(path), linked) << "the link was replaced by a plain file";
    for (const std::string& folder : {dir.path(), fs::path(target).parent_path().string()})
        for (const std::string& name : names_in(folder))
            EXPECT_EQ(name.find(".tmp-"), std::string::npos) << name;
}

INSTANTIATE_TEST_SUITE_P(, FilesReplace, ::testing::ValuesIn(kReplaceCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Files, AFailedReplaceLeavesNothingAndReportsTheSystemsMessage) {
    TempDir dir;
    PosixFiles files;
    try {
        files.replace(dir.path() + "/missing/progress.ini", "new");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "No such file or directory");
    }
    fs::create_symlink("progress.ini", dir.path() + "/progress.ini");  // a loop
    EXPECT_THROW(files.replace(dir.path() + "/progress.ini", "new"), std::runtime_error);
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"progress.ini"});
}

TEST(DataFolder, OneCopyHoldsTheFolderAndClearsOnlyItsOwnLeftovers) {
    TempDir dir;
    for (const char* name : {"progress.ini", "progress.ini.tmp-a1B2c3", "progress.ini.tmp-a1B2c",
                             "progress.ini.tmp-a1B2c3d", "language.txt.tmp-a1B2c3", "debuglog.txt"})
        dir.write(name, "x");
    fs::create_directory(dir.path() + "/progress.ini.tmp-folder");
    {
        const DataFolderLock first(dir.path());
        EXPECT_FALSE(first.held_elsewhere());
        EXPECT_EQ(
            names_in(dir.path()),
            (std::vector<std::string>{"debuglog.txt", "language.txt.tmp-a1B2c3", "progress.ini",
                                      "progress.ini.tmp-a1B2c", "progress.ini.tmp-a1B2c3d",
                                      "progress.ini.tmp-folder"}));
        // A second copy must not take the folder, nor touch a save in progress.
        dir.write("progress.ini.tmp-Zz9Zz9", "a save in progress");
        const DataFolderLock second(dir.path());
        EXPECT_TRUE(second.held_elsewhere());
        EXPECT_TRUE(fs::exists(dir.path() + "/progress.ini.tmp-Zz9Zz9"));
    }
    const DataFolderLock after(dir.path());
    EXPECT_FALSE(after.held_elsewhere());
    const DataFolderLock missing(dir.path() + "/missing");
    EXPECT_FALSE(missing.held_elsewhere());
}

// A second interactive copy says why it ends; a headless run is exempt.
TEST(DataFolder, ASecondTerminalCopyEndsButHeadlessRunsAreExempt) {
    const char* binary = std::getenv("VELLOXA_BINARY");
    if (!binary) GTEST_SKIP() << "VELLOXA_BINARY is not set";
    TempDir dir;
    dir.addsounds();
    dir.write("script.txt", "");
    const DataFolderLock running(dir.path());
    const std::string run = "cd " + dir.path() + " && VELLOXA_NO_AUDIO=1 " + binary + " --home " +
                            dir.path() + " --seed 1 ";
    const int terminal = std::system((run + "--terminal </dev/null >out 2>err").c_str());
    EXPECT_EQ(WEXITSTATUS(terminal), 1);
    EXPECT_EQ(dir.read("err"), std::string("velloxa: ") + kDataFolderInUse + "\n");
    EXPECT_EQ(dir.read("out"), "");
    const int headless = std::system((run + "--headless script.txt >out 2>err").c_str());
    EXPECT_EQ(WEXITSTATUS(headless), 0) << dir.read("err");
    EXPECT_EQ(dir.read("err"), "");
}

TEST(BackgroundSaves, TheNewestSaveIsInPlaceOnceFlushed) {
    TempDir dir;
    const std::string path = dir.path() + "/progress.ini";
    BackgroundSaves saves;
    for (int n = 0; n < 50; ++n) saves.replace(path, "save " + std::to_string(n));
    saves.flush();
    EXPECT_EQ(saves.read(path), "save 49");
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"progress.ini"});
    // What fails at once is thrown at once, and nothing is left behind.
    EXPECT_THROW(saves.replace(dir.path() + "/missing/progress.ini", "x"), std::runtime_error);
}

TEST(BackgroundSaves, AFailureFoundLaterIsReportedByTheNextSave) {
    TempDir dir;
    dir.write("progress.ini/keep", "");  // a folder where the file should be
    BackgroundSaves saves;
    saves.replace(dir.path() + "/progress.ini", "lost");  // the rename will fail
    saves.flush();
    try {
        saves.replace(dir.path() + "/other.ini", "kept");
        FAIL() << "the failed save went unreported";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Is a directory");
    }
    EXPECT_NO_THROW(saves.replace(dir.path() + "/other.ini", "again"));
    saves.flush();
    EXPECT_EQ(saves.read(dir.path() + "/other.ini"), "again");
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"other.ini", "progress.ini"}));
}

struct Writer {
    const char* name;
    std::unique_ptr<FileStore> (*make)();
};

const Writer kWriters[] = {
    {"AtOnce", [] { return std::unique_ptr<FileStore>(new PosixFiles); }},
    {"InTheBackground", [] { return std::unique_ptr<FileStore>(new BackgroundSaves); }},
};

class KilledSaves : public ::testing::TestWithParam<Writer> {};

// Saves killed at random moments: the file is always a whole old or new
// content, and the next start removes what the killed save left.
TEST_P(KilledSaves, LeaveTheOldOrTheNewFile) {
    TempDir dir;
    const std::string path = dir.path() + "/progress.ini";
    const std::string contents[] = {std::string(200000, 'a'), std::string(150000, 'b') + "\r\n"};
    PosixFiles files;
    files.replace(path, contents[0]);
    std::mt19937 random(7);
    for (int round = 0; round < 30; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            const std::unique_ptr<FileStore> writer = GetParam().make();
            for (size_t n = 0;; ++n) {
                writer->replace(path, contents[n % 2]);
                if (n == 0) (void)!::write(ready[1], "s", 1);
            }
        }
        ::close(ready[1]);
        char byte;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);  // the first save is under way
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 5000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const auto now = files.read(path);
        ASSERT_TRUE(now == contents[0] || now == contents[1]) << "round " << round;
    }
    { const DataFolderLock start(dir.path()); }
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"progress.ini"});
}

INSTANTIATE_TEST_SUITE_P(, KilledSaves, ::testing::ValuesIn(kWriters),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velloxa
