// The background saves on either system's files: the newest save wins, a
// failure found by the writer is thrown by the next save and told once, the
// saves handed over are in place once flushed and at the end, none is taken
// once closed for the way out, and nothing is left beside the files.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/background_saves.h"
#include "platform/save_notice.h"
#include "support/harness.h"

namespace velloxa::testing {

inline void expect_newest_save_wins_and_a_failure_told_once() {
    TempDir dir;
    std::ostringstream err;
    {
        BackgroundSaves saves;
        SaveNotice notice(saves, err);
        dir.write("progress.ini/keep", "");  // a folder where the file should be: the rename fails
        notice.replace(dir.path() + "/progress.ini", "lost");
        saves.flush();
        EXPECT_THROW(notice.replace(dir.path() + "/other.ini", "kept"), std::runtime_error);
        EXPECT_THROW(notice.replace(dir.path() + "/missing/other.ini", "x"), std::runtime_error);
        for (int n = 0; n < 50; ++n) notice.replace(dir.path() + "/other.ini", std::to_string(n));
        saves.flush();  // as the program does before it ends itself
        EXPECT_EQ(dir.read("other.ini"), "49");
        notice.replace(dir.path() + "/other.ini", "the last");
        EXPECT_EQ(saves.close_within(kLastSavesLimit), "");
        notice.replace(dir.path() + "/other.ini", "after the end");
    }
    EXPECT_EQ(err.str(),
              "velloxa: progress cannot be saved in " + dir.path() + ": Is a directory\n");
    EXPECT_EQ(dir.read("other.ini"), "the last");
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"other.ini", "progress.ini"}));
}

}  // namespace velloxa::testing
