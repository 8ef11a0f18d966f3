#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "support/harness.h"

namespace velloxa::testing {
namespace {

using Sounds = StartedGame;

TEST(Sound, StartUpPreloadsEverySlot) {
    Harness full;
    full.home.addsounds();
    full.start();
    Lines loads;
    for (int slot = 0; slot <= 49; ++slot)
        loads.push_back("load " + std::to_string(slot) + " " + full.home.path() +
                        "/sounds/menu/arrows.wav");
    EXPECT_EQ(full.only("load "), loads);
    EXPECT_TRUE(full.only("log ").empty());

    Harness none;
    none.start();
    EXPECT_TRUE(none.only("load ").empty());
    EXPECT_EQ(none.only("log "),
              Lines(50, "log File is missing: " + none.home.path() + "/sounds/menu/arrows.wav"));
}

TEST(Sound, SoundFolderFromTheProgressFile) {
    // The folder name is a whole line, blanks and commas included; the
    // preload never uses it, the menu sounds do, file by file.
    Harness h({.script = "Down\nEnter\n", .seed = 1, .headless = {}});
    h.home.addsounds();
    h.home.write("my sounds, v2/menu/arrows.wav", "");
    h.home.write("progress.ini", "0\r\n3\r\n2\r\nmy sounds, v2\r\n");
    h.start();
    const std::string home = h.home.path();
    EXPECT_EQ(h.only("load ").at(49), "load 49 " + home + "/sounds/menu/arrows.wav");
    const Lines loads = h.only("load ");
    EXPECT_EQ(loads.at(50), "load 2 " + home + "/my sounds, v2/menu/arrows.wav");
    EXPECT_EQ(loads.at(51), "load 3 " + home + "/sounds/menu/enter.wav");
    EXPECT_EQ(h.game->out.sound.soundfolder, "my sounds, v2");
}

TEST_F(Sounds, SlotsRotateAndTheSoundFolderFallsBackFileByFile) {
    h.home.write("alt/capture.wav", "");
    g().out.sound.soundfolder = "alt";
    h.take();
    const std::string home = h.home.path();
    g().out.makesound(g().out.apppath("/sounds/capture.wav"), -2000, -2500, Loop::Once,
                      kNextFreeSlot);
    g().out.makesound(g().out.apppath("/sounds/drop1.wav"), 0, 0, Loop::Once, kNextFreeSlot);
    // Missing from both folders: one line naming the usual path, nothing played.
    g().out.makesound(g().out.apppath("/sounds/drop9.wav"), 0, 0, Loop::Once, kNextFreeSlot);
    EXPECT_EQ(h.take(),
              (Lines{"load 2 " + home + "/alt/capture.wav", "volume 2 -2000", "pan 2 -2500",
                     "play 2 0", "load 3 " + home + "/sounds/drop1.wav", "volume 3 0", "pan 3 0",
                     "play 3 0", "log File is missing: " + home + "/sounds/drop9.wav"}));
    for (int i = 0; i < 46; ++i)
        g().out.makesound(g().out.apppath("/sounds/capture.wav"), 0, 0, Loop::Once, kNextFreeSlot);
    const Lines plays = h.only("play ");
    EXPECT_EQ(plays.front(), "play 5 0");
    EXPECT_EQ(plays.back(), "play 2 0");  // the 49th automatic sound
    // An empty sound folder switches every sound off, without log lines.
    g().out.sound.soundfolder.clear();
    h.take();
    g().out.makesound(g().out.apppath("/sounds/capture.wav"), 0, 0, Loop::Once, kNextFreeSlot);
    g().out.makesound(g().out.apppath("/sounds/drop9.wav"), 0, 0, Loop::Once, kNextFreeSlot);
    EXPECT_TRUE(h.lines().empty());
}

TEST(Sound, ProgramFolderIsNeverRewritten) {
    Harness h;
    const std::string app = h.home.path() + "/sounds/game";
    h.home.write("sounds/game/alt/capture.wav", "");
    Game game(*h.platform, StartOptions{Folders{app, h.home.path()}, 1});
    game.out.sound.dxversion = 8;
    game.out.sound.soundfolder = "alt";
    std::string path = "  " + app + "/sounds/capture.wav  ";
    game.out.setsound(5, path);
    EXPECT_EQ(path, app + "/alt/capture.wav");
    EXPECT_EQ(h.lines(), Lines{"load 5 " + app + "/alt/capture.wav"});
}

TEST_F(Sounds, VolumeAndPanRangesAndRounding) {
    h.take();
    // Two decimals first, halves to even, then the range, then the whole number.
    for (auto [w, reduced] : std::vector<std::pair<double, double>>{{-5000.004, -5000},
                                                                    {-5000.006, -5000.01},
                                                                    {0.004, 0},
                                                                    {-2.5, -2.5},
                                                                    {-3.5, -3.5},
                                                                    {-0.125, -0.12}}) {
        g().out.setvol(7, w);
        EXPECT_EQ(w, reduced);
    }
    for (double pan : {10000.0, 10000.006, 0.5}) g().out.setpan(7, pan);
    EXPECT_EQ(h.take(), (Lines{"volume 7 -5000", "volume 7 0", "volume 7 -2", "volume 7 -4",
                               "volume 7 0", "pan 7 10000", "pan 7 0"}));
    // A slot that holds nothing is left alone.
    Game fresh(*h.platform, StartOptions{Folders{h.home.path(), h.home.path()}, 1});
    double w = -100;
    fresh.out.setvol(3, w);
    fresh.out.setpan(60, w);
    EXPECT_TRUE(h.lines().empty());
    // Board spots: louder toward the bottom row, panned by the column.
    const std::tuple<int, int, double, double> spots[] = {
        {1, 1, -2000, -2500}, {3, 3, 0, 2500}, {2, 2, -1000, 0}};
    for (const auto& [x, y, volume, pan] : spots) {
        const Placement2d at = Output::sound2d(Spot{x, y});
        EXPECT_EQ(std::pair(at.volume, at.pan), std::pair(volume, pan)) << x << " " << y;
    }
}

// A device whose files never decode, or whose volume control fails.
struct BrokenDevice : SoundDevice {
    bool badfiles = true;
    Lines calls;
    bool create() override { return true; }
    void load(int, const std::string&) override {
        if (badfiles) throw std::runtime_error("not a wave file");
        calls.push_back("load");
    }
    void set_volume(int, int) override { throw std::runtime_error("no volume control"); }
    void set_pan(int, int) override { calls.push_back("pan"); }
    void play(int, int) override { calls.push_back("play"); }
};

TEST(Sound, DeviceFailuresAreLoggedAndSwallowed) {
    Harness h;
    h.home.addsounds();
    BrokenDevice device;
    const Platform base = h.host->platform();
    Platform p{base.clock, base.window, base.voice,  base.reader,  base.keys,
               device,     base.canvas, base.msgbox, base.process, base.files};
    Game game(p, StartOptions{Folders{h.home.path(), h.home.path()}, 1});
    game.out.sound.dxversion = 8;
    game.out.sound.numbuffers = 49;
    game.out.sound.soundfolder = "sounds";
    const std::string capture = game.out.apppath("/sounds/capture.wav");
    game.out.makesound(capture, 0, 0, Loop::Once, kNextFreeSlot);
    EXPECT_EQ(h.take(), (Lines{"log error in setsound: not a wave file", "log " + capture}));
    EXPECT_TRUE(device.calls.empty());
    device.badfiles = false;
    game.out.makesound(capture, 0, 0, Loop::Once, kNextFreeSlot);
    EXPECT_EQ(h.take(), Lines{"log error in setvol: no volume control"});
    EXPECT_EQ(device.calls, (Lines{"load", "pan", "play"}));
}

}  // namespace
}  // namespace velloxa::testing
