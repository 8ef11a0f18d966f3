#include "platform/terminal/terminal_host.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace velloxa {
namespace {

// One end to write to, one to read from without blocking.
struct Pipe {
    int fds[2] = {-1, -1};
    Pipe() {
        if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("pipe");
    }
    ~Pipe() {
        ::close(fds[0]);
        closewrite();
    }
    void closewrite() {
        if (fds[1] >= 0) ::close(fds[1]);
        fds[1] = -1;
    }
    void send(const std::string& s) const {
        ASSERT_EQ(::write(fds[1], s.data(), s.size()), ssize_t(s.size()));
    }
    std::string drain() const {
        std::string s;
        char buf[4096];
        for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
            s.append(buf, static_cast<size_t>(n));
        return s;
    }
};

struct Ended {};

struct Pipes {
    Pipe in, out, control;
};

// A terminal on pipes whose ending is an exception; it hands keys to itself.
struct Term : Pipes, TerminalHost, EventSink {
    std::vector<std::pair<int, int>> keys;
    std::function<void(int)> during = [](int) {};
    explicit Term(bool board = false)
        : TerminalHost(TerminalOptions{in.fds[0], out.fds[1], control.fds[1], board, 20}) {}
    void end() override { throw Ended{}; }
    void on_key(int code, int state) override {
        keys.emplace_back(code, state);
        during(code);
    }
    void on_paint() override {}
    // Sends `bytes` as the last input and hands out every key.
    void runon(const std::string& bytes) {
        in.send(bytes);
        in.closewrite();
        run(*this);
    }
};

using Keys = std::vector<std::pair<int, int>>;

TEST(TerminalHost, TitlesAndSpeechBecomeLinesOfTheirOwn) {
    Term t;
    PrintingVoice voice(t);
    t.set_title("NVDA");
    t.set_title(" NVDA");  // the repeat of a title route: no second line
    t.set_title("NVDA");
    voice.speak("Sapi on", 3);
    voice.speak("", 3);  // the silence key prints nothing
    t.show("Unable to start.");
    t.print("bad\x1b]0;x\a text");
    EXPECT_EQ(t.out.drain(), "NVDA\nNVDA\nSapi on\nUnable to start.\nbad]0;x text\n");
    EXPECT_EQ(t.title(), "NVDA");
    EXPECT_EQ(t.control.drain(), "\x1b]0;NVDA\a\x1b]0; NVDA\a\x1b]0;NVDA\a");
}

TEST(TerminalHost, KeysWaitForTheGameThenArriveInOrder) {
    Term t;
    t.in.send("a\x1b[A");
    t.yield();  // start-up's yields hand out nothing
    t.process_until(t.now_ms());
    EXPECT_TRUE(t.keys.empty());
    t.runon("!\x1b");
    EXPECT_EQ(t.keys, (Keys{{65, 0}, {38, 0}, {49, 1}, {27, 0}}));
}

TEST(TerminalHost, WaitsAndYieldsHandKeysToTheGame) {
    // The first key waits long; the wait returns as soon as it has handed
    // out the next key. That key's handler yields, which hands out the
    // third. A lone Escape becomes the key once its short time is up.
    Term t;
    t.during = [&](int code) {
        if (code == 'Z') t.process_until(t.now_ms() + 600000);
        if (code == 'Q') t.yield();
    };
    t.runon("zqw\x1b");
    EXPECT_EQ(t.keys, (Keys{{90, 0}, {81, 0}, {87, 0}, {27, 0}}));
    Term ctrlc;
    ctrlc.in.send("\x03");
    EXPECT_THROW(ctrlc.yield(), Ended);  // even during start-up
}

// A key whose handling never returns (a hung sound or speech call) must not
// keep Ctrl+C from ending the program. The alarm turns a hang into a failure.
TEST(TerminalHost, CtrlCEndsTheProgramWhileAKeyHangs) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::alarm(10);
            Pipes pipes;
            TerminalHost host(TerminalOptions{pipes.in.fds[0], pipes.out.fds[1], -1, false, 20});
            // Ctrl+C comes while the first key is being handled.
            struct Hangs : EventSink {
                Pipe& in;
                explicit Hangs(Pipe& keys) : in(keys) {}
                void on_key(int, int) override {
                    in.send("\x03");
                    for (;;) ::pause();
                }
                void on_paint() override {}
            } hangs{pipes.in};
            pipes.in.send("a");
            host.run(hangs);
            std::_Exit(1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(TerminalHost, NegotiatesTheMostExactKeyReporting) {
    Term kitty;
    kitty.in.send("\x1b[?0u\x1b[?62;22c");
    kitty.negotiate(2000);
    EXPECT_TRUE(kitty.kitty());
    const std::string sent = kitty.control.drain();
    EXPECT_TRUE(sent.starts_with("\x1b[?u\x1b[c")) << sent;
    EXPECT_NE(sent.find("\x1b[>13u"), std::string::npos);

    Term plain;
    plain.in.send("x\x1b[?64;1c");  // a key typed meanwhile is kept
    plain.negotiate(2000);
    EXPECT_FALSE(plain.kitty());
    EXPECT_NE(plain.control.drain().find("\x1b[>4;1m"), std::string::npos);
    plain.runon("");
    EXPECT_EQ(plain.keys, (Keys{{88, 0}}));
}

TEST(TerminalHost, TextBoardOnlyOnRequestAndOnlyWhenItChanged) {
    BoardPicture p;
    p.cursorx = 2;
    p.cursory = 1;
    p.cells[0] = {3, 1};  // column 1, row 1
    p.cells[5] = {4, 2};  // column 2, row 3
    const auto names = [](int t) { return t == 3 ? std::string("\xc3\x89mber") : "Fo"; };
    EXPECT_EQ(boardlines(p, names), (std::array<std::string, 3>{"| \xc3\x89mb Y |[  -  ]|   -   |",
                                                                "|   -   |   -   |   -   |",
                                                                "|   -   | Fo  E |   -   |"}));
    Term quiet;
    quiet.begin_board(p);
    EXPECT_EQ(quiet.out.drain(), "");
    Term shown(true);
    shown.set_names(names);
    shown.begin_board(p);
    shown.begin_board(p);
    p.cursorx = 3;
    shown.begin_board(p);
    const std::string out = shown.out.drain();
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 6);
}

}  // namespace
}  // namespace velloxa
