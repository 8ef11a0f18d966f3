// Saves and the data folder's lock on Windows files: the background writer
// of the Linux build over begin_save/finish_save of windows_files.cpp, and
// the lock file that every spelling of a folder meets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "platform/data_folder_lock.h"
#include "support/newest_save.h"

namespace velloxa {
namespace {

using testing::TempDir;

TEST(WindowsSaves, TheNewestSaveIsInPlaceAndAFailureIsToldOnce) {
    testing::expect_newest_save_wins_and_a_failure_told_once();
}

// A second lock on the folder, under another spelling too, finds it held;
// once the first is gone, with its file, the folder can be locked again, and
// a save killed half-way leaves nothing behind once it is.
TEST(WindowsSaves, TheFolderLockHoldsForEverySpelling) {
    TempDir dir;
    dir.write("progress.ini.tmp-77-1234-0", "half a save");
    dir.write("progress.ini", "kept");
    std::string shouted = dir.path();
    std::transform(shouted.begin(), shouted.end(), shouted.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    {
        const DataFolderLock first(dir.path());
        EXPECT_FALSE(first.held_elsewhere());
        EXPECT_EQ(dir.names(), (std::vector<std::string>{"progress.ini", "velloxa.lock"}));
        EXPECT_TRUE(DataFolderLock(dir.path()).held_elsewhere());
        EXPECT_TRUE(DataFolderLock(shouted + "\\.\\").held_elsewhere());
    }
    EXPECT_EQ(dir.names(), std::vector<std::string>{"progress.ini"}) << "the lock file stays";
    EXPECT_FALSE(DataFolderLock(shouted).held_elsewhere());
    EXPECT_FALSE(DataFolderLock(dir.path() + "/missing").held_elsewhere());
    EXPECT_EQ(dir.read("progress.ini"), "kept");
}

}  // namespace
}  // namespace velloxa
