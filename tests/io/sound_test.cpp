// Sound slots: the preload, the rotation, the sound folder file by file, the
// levels of the board spots and device failures.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>

#include "support/harness.h"

namespace velloxa::testing {
namespace {

// Every slot starts with the menu sound of the standard set, whatever the
// chosen folder; without it each slot logs the missing file.
TEST(Sound, StartUpPreloadsEverySlotWithTheStandardSet) {
    const auto full = started_game("0\r\n3\r\n2\r\nmine\r\n");
    EXPECT_EQ(full->only("load ").size(), 50u);
    EXPECT_EQ(full->only("load ").back(),
              "load 49 " + full->home.path() + "/sounds/menu/arrows.wav");

    Harness none;
    none.start();
    EXPECT_TRUE(none.only("load ").empty());
    EXPECT_EQ(none.only("log ").size(), 50u);
}

// The output as start-up leaves it, with the standard sounds in its folder.
struct Slots : ::testing::Test {
    Harness h;
    Output out{*h.platform, Folders{h.home.path(), h.home.path()}};
    void SetUp() override {
        h.home.add_sounds();
        out.set_sound_folder("sounds");
    }
    void play(const std::string& file, double volume = 0, double pan = 0) {
        out.play_sound(out.app_path("/sounds/" + file), volume, pan, Loop::Once, kNextFreeSlot);
    }
};

TEST_F(Slots, RotateFromTwoAndTheSoundFolderFallsBackFileByFile) {
    h.home.write("alt/capture.wav", "");
    out.set_sound_folder("alt");
    const std::string home = h.home.path();
    play("capture.wav", -2000, -2500);
    play("drop1.wav");
    // Missing from both folders: one line naming the usual path, nothing played.
    play("drop9.wav");
    EXPECT_EQ(h.take(),
              (Lines{"load 2 " + home + "/alt/capture.wav", "volume 2 -2000", "pan 2 -2500",
                     "play 2 0", "load 3 " + home + "/sounds/drop1.wav", "volume 3 0", "pan 3 0",
                     "play 3 0", "log File is missing: " + home + "/sounds/drop9.wav"}));
    for (int i = 0; i < 46; ++i) play("capture.wav");
    const Lines plays = h.only("play ");
    EXPECT_EQ(plays.front(), "play 5 0");
    EXPECT_EQ(plays.back(), "play 2 0");  // the 49th automatic sound
    // An empty sound folder switches every sound off, without log lines.
    out.set_sound_folder("");
    h.take();
    play("capture.wav");
    play("drop9.wav");
    EXPECT_TRUE(h.lines().empty());
}

TEST_F(Slots, TheProgramFolderIsNeverRewritten) {
    const std::string app = h.home.path() + "/sounds/game";
    h.home.write("sounds/game/alt/capture.wav", "");
    Output inside(*h.platform, Folders{app, h.home.path()});
    inside.set_sound_folder("alt");
    std::string path = "  " + app + "/sounds/capture.wav  ";
    inside.load_sound_slot(5, path);
    EXPECT_EQ(path, app + "/alt/capture.wav");
    EXPECT_EQ(h.lines(), Lines{"load 5 " + app + "/alt/capture.wav"});
}

// Board spots: louder toward the bottom row, panned by the column. The
// levels the game gives a slot come only from here, whole numbers in range.
TEST(Sound, BoardSpotsAreLouderTowardTheBottomRowAndPannedByTheColumn) {
    const std::tuple<int, int, double, double> spots[] = {
        {1, 1, -2000, -2500}, {3, 3, 0, 2500}, {2, 2, -1000, 0}};
    for (const auto& [x, y, volume, pan] : spots) {
        const Placement2d at = Output::placement_of(Spot{x, y});
        EXPECT_EQ(std::pair(at.volume, at.pan), std::pair(volume, pan)) << x << " " << y;
    }
}

// A device whose files never decode: logged, and nothing played.
struct BrokenDevice : SoundDevice {
    int calls = 0;
    bool open_device() override { return true; }
    void load(int, const std::string&) override { throw std::runtime_error("not a wave file"); }
    void set_volume(int, int) override { ++calls; }
    void set_pan(int, int) override { ++calls; }
    void play(int, int) override { ++calls; }
};

TEST_F(Slots, DeviceFailuresAreLoggedAndSwallowed) {
    BrokenDevice device;
    Platform p = with_services(*h.platform, {.sound = &device});
    Output broken(p, Folders{h.home.path(), h.home.path()});
    broken.set_sound_folder("sounds");
    const std::string capture = broken.app_path("/sounds/capture.wav");
    broken.play_sound(capture, 0, 0, Loop::Once, kNextFreeSlot);
    EXPECT_EQ(h.take(), (Lines{"log error in setsound: not a wave file", "log " + capture}));
    EXPECT_EQ(device.calls, 0);
}

}  // namespace
}  // namespace velloxa::testing
