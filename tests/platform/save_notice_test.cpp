// The desktop and terminal tell a failing save once on standard error.
#include "platform/save_notice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "platform/posix_files.h"
#include "support/harness.h"

namespace velloxa::testing {
namespace {

TEST(SaveNotice, TellsTheFirstFailureWithFolderAndReasonAndStillFails) {
    TempDir home;
    std::filesystem::create_directory(home.path() + "/progress.ini");
    PosixFiles files;
    std::ostringstream err;
    SaveNotice notice(files, err);
    for (int attempt = 0; attempt < 3; ++attempt)
        EXPECT_THROW(notice.replace(home.path() + "/progress.ini", "x"), std::runtime_error);
    EXPECT_EQ(err.str(),
              "velloxa: progress cannot be saved in " + home.path() + ": Is a directory\n");

    notice.replace(home.path() + "/other.ini", "y");
    EXPECT_EQ(home.read("other.ini"), "y");
}

}  // namespace
}  // namespace velloxa::testing
