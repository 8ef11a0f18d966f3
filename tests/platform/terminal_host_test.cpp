#include "platform/terminal/terminal_host.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/harness.h"

namespace velloxa {
namespace {

// One end to write to, one to read from, neither blocking on read.
struct Pipe {
    int r = -1, w = -1;
    Pipe() {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
        r = fds[0];
        w = fds[1];
        ::fcntl(r, F_SETFL, O_NONBLOCK);
    }
    ~Pipe() {
        if (r >= 0) ::close(r);
        closewrite();
    }
    void closewrite() {
        if (w >= 0) ::close(w);
        w = -1;
    }
    void send(const std::string& s) const {
        ASSERT_EQ(::write(w, s.data(), s.size()), ssize_t(s.size()));
    }
    std::string drain() const {
        std::string s;
        char buf[4096];
        ssize_t n;
        while ((n = ::read(r, buf, sizeof buf)) > 0) s.append(buf, static_cast<size_t>(n));
        return s;
    }
};

struct Ended {};

// The host with its ending turned into an exception.
class TestTerminal : public TerminalHost {
  public:
    using TerminalHost::TerminalHost;
    void end() override { throw Ended{}; }
};

struct Recorder : EventSink {
    std::vector<std::pair<int, int>> keys;
    std::function<void(int)> during;
    void on_key(int code, int state) override {
        keys.emplace_back(code, state);
        if (during) during(code);
    }
    void on_paint() override {}
};

struct Fixture {
    Pipe in, out, control;
    TestTerminal host;
    explicit Fixture(bool board = false)
        : host(TerminalOptions{in.r, out.w, control.w, board, 20}) {}
};

TEST(TerminalHost, TitlesAndSpeechBecomeLinesOfTheirOwn) {
    Fixture f;
    PrintingVoice voice(f.host);
    f.host.set_title("NVDA");
    f.host.set_title(" NVDA");  // the repeat of a title route: no second line
    f.host.set_title("NVDA");
    voice.speak("Sapi on", 3);
    voice.speak("", 3);  // the silence key prints nothing
    f.host.show("Unable to start.");
    f.host.print("bad\x1b]0;x\a text");
    EXPECT_EQ(f.out.drain(), "NVDA\nNVDA\nSapi on\nUnable to start.\nbad]0;x text\n");
    EXPECT_EQ(f.host.title(), "NVDA");
    EXPECT_EQ(f.control.drain(), "\x1b]0;NVDA\a\x1b]0; NVDA\a\x1b]0;NVDA\a");
}

TEST(TerminalHost, KeysWaitForTheGameThenArriveInOrder) {
    Fixture f;
    Recorder sink;
    f.in.send("a\x1b[A");
    f.host.yield();  // start-up's yields hand out nothing
    f.host.process_until(f.host.now_ms());
    EXPECT_TRUE(sink.keys.empty());
    f.in.send("!\x1b");
    f.in.closewrite();
    f.host.run(sink);  // returns when the input ends
    EXPECT_EQ(sink.keys, (std::vector<std::pair<int, int>>{{65, 0}, {38, 0}, {49, 1}, {27, 0}}));
}

TEST(TerminalHost, WaitsAndYieldsHandKeysToTheGame) {
    Fixture f;
    Recorder sink;
    f.in.send("zqw\x1b");
    // The first key waits long; the wait returns as soon as it has handed
    // out the next key. That key's handler yields, which hands out the
    // third. A lone Escape becomes the key once its short time is up.
    sink.during = [&](int code) {
        if (code == 'Z') f.host.process_until(f.host.now_ms() + 600000);
        if (code == 'Q') f.host.yield();
    };
    f.in.closewrite();
    f.host.run(sink);
    EXPECT_EQ(sink.keys, (std::vector<std::pair<int, int>>{{90, 0}, {81, 0}, {87, 0}, {27, 0}}));
}

TEST(TerminalHost, CtrlCEndsTheProgramEvenDuringStartUp) {
    Fixture f;
    f.in.send("\x03");
    EXPECT_THROW(f.host.yield(), Ended);
}

TEST(TerminalHost, NegotiatesTheMostExactKeyReporting) {
    Fixture kitty;
    kitty.in.send("\x1b[?0u\x1b[?62;22c");
    kitty.host.negotiate(2000);
    EXPECT_TRUE(kitty.host.kitty());
    const std::string sent = kitty.control.drain();
    EXPECT_EQ(sent.rfind("\x1b[?u\x1b[c", 0), 0u);
    EXPECT_NE(sent.find("\x1b[>13u"), std::string::npos);

    Fixture plain;
    plain.in.send("x\x1b[?64;1c");  // a key typed meanwhile is kept
    plain.host.negotiate(2000);
    EXPECT_FALSE(plain.host.kitty());
    EXPECT_NE(plain.control.drain().find("\x1b[>4;1m"), std::string::npos);
    Recorder sink;
    plain.in.closewrite();
    plain.host.run(sink);
    EXPECT_EQ(sink.keys, (std::vector<std::pair<int, int>>{{88, 0}}));
}

TEST(TerminalHost, TextBoardOnlyOnRequestAndOnlyWhenItChanged) {
    BoardPicture p;
    p.cursorx = 2;
    p.cursory = 1;
    p.cells[0] = {3, 1};  // column 1, row 1
    p.cells[5] = {4, 2};  // column 2, row 3
    const auto names = [](int t) { return t == 3 ? std::string("\xc3\x89mber") : "Fo"; };
    const auto lines = boardlines(p, names);
    EXPECT_EQ(lines[0], "| \xc3\x89mb Y |[  -  ]|   -   |");
    EXPECT_EQ(lines[1], "|   -   |   -   |   -   |");
    EXPECT_EQ(lines[2], "|   -   | Fo  E |   -   |");

    Fixture quiet;
    quiet.host.begin_board(p);
    EXPECT_EQ(quiet.out.drain(), "");

    Fixture shown(true);
    shown.host.set_names(names);
    shown.host.begin_board(p);
    shown.host.begin_board(p);
    p.cursorx = 3;
    shown.host.begin_board(p);
    const std::string out = shown.out.drain();
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 6);
}

TEST(TerminalHost, SilentSoundStillMissesMissingFiles) {
    testing::TempDir home;
    home.write("a.wav", "");
    SilentSound s;
    EXPECT_TRUE(s.create());
    EXPECT_NO_THROW(s.load(0, home.path() + "/a.wav"));
    EXPECT_THROW(s.load(0, home.path() + "/b.wav"), std::runtime_error);
    NoScreenReader r;
    EXPECT_FALSE(r.create());
    EXPECT_THROW(r.say("x"), std::runtime_error);
}

}  // namespace
}  // namespace velloxa
