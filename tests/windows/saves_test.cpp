// Saves and the data folder's lock on Windows files: the background writer
// of the Linux build over begin_save/finish_save of windows_files.cpp, and
// the lock file that every spelling of a folder meets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/background_saves.h"
#include "platform/data_folder_lock.h"
#include "platform/save_notice.h"
#include "support/harness.h"

namespace velloxa {
namespace {

using testing::TempDir;

std::vector<std::string> names_in(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The newest save wins, a failure found by the worker is thrown by the next
// save and told once, and nothing is left beside the files.
TEST(WindowsSaves, TheNewestSaveIsInPlaceAndAFailureIsToldOnce) {
    TempDir dir;
    std::ostringstream err;
    {
        BackgroundSaves saves;
        SaveNotice notice(saves, err);
        dir.write("progress.ini/keep", "");  // a folder where the file should be
        notice.replace(dir.path() + "/progress.ini", "lost");
        saves.flush();
        EXPECT_THROW(notice.replace(dir.path() + "/other.ini", "kept"), std::runtime_error);
        EXPECT_THROW(notice.replace(dir.path() + "/missing/other.ini", "x"), std::runtime_error);
        for (int n = 0; n < 20; ++n) notice.replace(dir.path() + "/other.ini", std::to_string(n));
        saves.flush();
        EXPECT_EQ(dir.read("other.ini"), "19");
        notice.replace(dir.path() + "/other.ini", "the last");
    }
    EXPECT_EQ(err.str(),
              "velloxa: progress cannot be saved in " + dir.path() + ": Is a directory\n");
    EXPECT_EQ(dir.read("other.ini"), "the last");
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"other.ini", "progress.ini"}));
}

// A second lock on the folder, under another spelling too, finds it held;
// once the first is gone the folder can be locked again, and a save killed
// half-way leaves nothing behind once it is.
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
        EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"progress.ini", "velloxa.lock"}));
        EXPECT_TRUE(DataFolderLock(dir.path()).held_elsewhere());
        EXPECT_TRUE(DataFolderLock(shouted + "\\.\\").held_elsewhere());
    }
    EXPECT_FALSE(DataFolderLock(shouted).held_elsewhere());
    EXPECT_FALSE(DataFolderLock(dir.path() + "/missing").held_elsewhere());
    EXPECT_EQ(dir.read("progress.ini"), "kept");
}

}  // namespace
}  // namespace velloxa
