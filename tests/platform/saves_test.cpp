// Saving the progress file: through a temporary file and a rename, in the
// background, one copy of the game per data folder, failures told once.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/data_folder_lock.h"
#include "platform/disk_files.h"
#include "support/newest_save.h"

namespace velloxa {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using Names = std::vector<std::string>;

// A progress file linked into a synced folder is written where the link
// points, and keeps the link and the player's permissions.
TEST(Files, AReplaceWritesThroughTheLinkAndKeepsThePlayersMode) {
    TempDir dir;
    const std::string target = dir.path() + "/synced/progress.ini";
    const auto mode = fs::perms::owner_read | fs::perms::owner_write;
    dir.write("synced/progress.ini", "old");
    fs::permissions(target, mode);
    fs::create_symlink("synced/progress.ini", dir.path() + "/progress.ini");
    DiskFiles().replace(dir.path() + "/progress.ini", "new\r\n");
    EXPECT_TRUE(fs::is_symlink(dir.path() + "/progress.ini"));
    EXPECT_EQ(dir.read("synced/progress.ini"), "new\r\n");
    EXPECT_EQ(fs::status(target).permissions(), mode);
    EXPECT_EQ(dir.names("synced"), Names{"progress.ini"});
}

// A write that fails part way (the file size limit here, a full disk
// elsewhere) leaves the old file whole and nothing beside it.
TEST(Files, AFailedWriteLeavesTheOldFileWhole) {
    TempDir dir;
    dir.write("progress.ini", "old");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = 1000;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            DiskFiles().replace(dir.path() + "/progress.ini", std::string(5000, 'x'));
        } catch (const std::runtime_error& e) {
            std::_Exit(std::string(e.what()) == "File too large" ? 3 : 1);
        }
        std::_Exit(2);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << "no failure told: " << status;
    EXPECT_EQ(dir.read("progress.ini"), "old");
    EXPECT_EQ(dir.names(), Names{"progress.ini"});
}

// The next start removes what a save killed part way left beside the
// progress file and its backup, and only that.
TEST(BackgroundSaves, StartUpRemovesOnlyWhatAKilledSaveLeft) {
    TempDir dir;
    const std::string path = dir.path() + "/progress.ini";
    dir.write("progress.ini", "saved");
    dir.write("progress.ini.tmp-x7Yz0Q", "a half-written save");
    dir.write("language.txt.tmp-a1B2c3", "not a save's");
    dir.write("progress.ini.tmp-mine", "nor this");
    dir.write("progress.ini.bak.tmp-Q7r8S9", "a backup's");
    fs::create_directory(path + ".tmp-folder");
    { const DataFolderLock start(dir.path()); }
    EXPECT_EQ(dir.names(), (Names{"language.txt.tmp-a1B2c3", "progress.ini",
                                  "progress.ini.tmp-folder", "progress.ini.tmp-mine"}));
}

// A game whose progress file was read only in part, saving in the
// background as the desktop and the terminal do, with a folder where the
// backup belongs: the save fails, is told, and leaves the file as it was;
// once the backup can be written it is in place before the file is
// replaced, and standard error says so once.
TEST(BackgroundSaves, TheBackupComesFirstOrNothingIsReplaced) {
    testing::Harness h;
    const std::string home = h.home.path();
    h.home.add_sounds();
    const std::string damaged = "0\r\n3\r\n2\r\nsounds\r\n3\r\n2\r\n1\r\nNo such tile\r\n";
    h.home.write("progress.ini", damaged);
    fs::create_directory(home + "/progress.ini.bak");
    std::ostringstream err;
    BackgroundSaves saves;
    SaveNotice notice(saves, err);
    h.use({.files = &notice});
    h.start();
    EXPECT_EQ(h.said("PageUp\n"),
              (testing::Lines{"Sapi rate changed to 3.", "Your progress could not be saved."}));
    saves.flush();
    EXPECT_EQ(h.home.read("progress.ini"), damaged);
    fs::remove(home + "/progress.ini.bak");
    h.keys("PageUp\nPageUp\n");
    saves.flush();
    EXPECT_EQ(h.home.read("progress.ini.bak"), damaged);
    EXPECT_EQ(h.home.read("progress.ini").substr(0, 12), "0\r\n3\r\n5\r\nsou");
    EXPECT_EQ(err.str(), "velloxa: progress cannot be saved in " + home +
                             ": Is a directory\nvelloxa: " + home +
                             "/progress.ini could not be read whole; it is kept as it was in " +
                             home + "/progress.ini.bak (the README tells how to restore it)\n");
}

TEST(BackgroundSaves, TheNewestSaveIsInPlaceOnceFlushedAndAFailureIsToldOnce) {
    testing::expect_newest_save_wins_and_a_failure_told_once();
}

// A second interactive copy on the same data folder ends, saying why, and
// leaves the first one's save in progress alone; a headless run is exempt.
TEST(DataFolder, ASecondTerminalCopyEndsButHeadlessRunsAreExempt) {
    const char* binary = std::getenv("VELLOXA_BINARY");
    if (!binary) GTEST_SKIP() << "VELLOXA_BINARY is not set";
    TempDir dir;
    dir.add_sounds();
    const DataFolderLock running(dir.path());
    dir.write("progress.ini.tmp-Zz9Zz9", "a save in progress");
    const std::string run = "cd " + dir.path() + " && VELLOXA_NO_AUDIO=1 " + binary + " --home " +
                            dir.path() + " --seed 1 ";
    const int terminal = std::system((run + "--terminal </dev/null >out 2>err").c_str());
    EXPECT_EQ(WEXITSTATUS(terminal), 1);
    EXPECT_EQ(dir.read("err"), std::string("velloxa: ") + kDataFolderInUse + "\n");
    EXPECT_EQ(dir.read("progress.ini.tmp-Zz9Zz9"), "a save in progress");
    const int headless = std::system((run + "--headless - </dev/null >out 2>err").c_str());
    EXPECT_EQ(WEXITSTATUS(headless), 0) << dir.read("err");
    EXPECT_EQ(dir.read("err"), "");
}

}  // namespace
}  // namespace velloxa
