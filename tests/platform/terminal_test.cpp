// The terminal front-end: the keys decoded from its bytes, and the host on
// pipes. What it prints for a whole game, and the tty it leaves behind, are
// checked from the outside by tests/scripts.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "io/keycodes.h"
#include "platform/background_saves.h"
#include "platform/posix/saves_on_exit.h"
#include "platform/terminal/keys.h"
#include "platform/terminal/terminal_host.h"
#include "support/harness.h"

namespace velloxa {
namespace {

// Every key event from `bytes` as "code/state" (a non-key by its kind).
std::string decode(const std::string& bytes) {
    KeyDecoder d;
    d.feed(bytes);
    d.expire();
    std::string out;
    const char* const kinds[] = {"", "quit", "kittyreply", "attributes"};
    while (!d.empty()) {
        const TermKey t = d.pop();
        out += (out.empty() ? "" : " ") +
               (t.kind == TermKey::key ? std::to_string(t.code) + "/" + std::to_string(t.state)
                                       : kinds[t.kind]);
    }
    return out;
}

TEST(TerminalKeys, BytesBecomeTheGameKeysWithExactModifiers) {
    const std::pair<std::string, std::string> cases[] = {
        {"aZ09\r\n\t \x7f", "65/0 90/1 48/0 57/0 13/0 13/0 9/0 32/0 8/0"},
        // The shifted digit row of a US layout is Shift with the digit.
        {")!@#$%^&*(", "48/1 49/1 50/1 51/1 52/1 53/1 54/1 55/1 56/1 57/1"},
        {"\xc3\xa9z", "90/0"},  // text beyond ASCII has no key
        // Ctrl+W, Ctrl+Z; Ctrl+E, Ctrl+X and Ctrl+Space stand in for
        // Shift+Enter, Shift+Escape and Ctrl, as do F2, F3 and F4 in the forms
        // of xterm, rxvt, the Linux console and with modifiers.
        {std::string("\x17\x1a\x05\x18\0", 5), "87/2 90/2 13/1 27/1 17/2"},
        {"\x1bOQ\x1b[13~\x1b[[D\x1b[1;2Q\x1b[12~", "13/1 27/1 17/2 13/1 13/1"},
        {"\x03\x1b\x1b\033a\0331", "quit 27/0 27/0 65/4 49/4"},  // Alt with a key
        {"\x1b[A\x1b[B\x1b[C\x1b[D\x1bOA\x1b[1;2A\x1b[1;5D\x1b[1;3B",
         "38/0 40/0 39/0 37/0 38/0 38/1 37/2 40/4"},
        {"\x1b[5~\x1b[6~\x1b[6;5~\x1b[Z", "33/0 34/0 34/2 9/1"},
        {"\x1b[200~x", "88/0"},  // an unknown sequence is swallowed whole
        // The kitty keyboard protocol: lone modifiers, releases, other layouts
        // (a digit key goes by its US place: & shifted is 1).
        {"\x1b[27u\x1b[27;2u\x1b[13;2u\x1b[13u", "27/0 27/1 13/1 13/0"},
        {"\x1b[57442;5u\x1b[57441;2u\x1b[57443;3u", "17/2 16/1 18/4"},
        {"\x1b[49;2u\x1b[97u\x1b[97;2u\x1b[38::49;2u", "49/1 65/0 65/1 49/1"},
        {"\x1b[99;5u\x1b[101;5u\x1b[97;1:3u", "quit 13/1"},
        // xterm's modifyOtherKeys, and the terminal's answers, which are no keys.
        {"\x1b[27;2;13~\x1b[27;2;27~\x1b[27;2;33~\x1b[27;5;99~", "13/1 27/1 49/1 quit"},
        {"\x1b[?1u\x1b[?62;22ca", "kittyreply attributes 65/0"},
        // Without the kitty protocol a terminal sends characters, not keys:
        // the shifted digit row drops tiles only where it sends a US
        // layout's `!@#$%`. German Shift+1 to 0: " is Shift with the US
        // apostrophe key, § no key.
        {"!\"\xc2\xa7$%&/()=", "49/1 222/1 52/1 53/1 55/1 191/0 57/1 48/1 187/0"},
        // French: the digits need Shift; the row alone sends & é " ' ( ...
        {"12345&\xc3\xa9\"'(-\xc3\xa8_\xc3\xa7\xc3\xa0",
         "49/0 50/0 51/0 52/0 53/0 55/1 222/1 222/0 57/1 189/0 189/1"},
        // F5 to F9 drop on any layout, in every form a terminal sends them
        // (xterm, rxvt, the Linux console, with modifiers), and a character
        // beyond ASCII next to them is skipped whole.
        {"\x1b[15~\x1b[17;5~\x1b[18@\x1b[19;6~\x1b[20$\x1b[[E", "49/1 50/1 51/1 52/1 53/1 49/1"},
        {"\xc2\xa7\x1b[15~\xc3\xa9\x1b[17$\xc3\xa0\x1b[[E\xc3\xa7\x1b[19~\xc2\xa7\x1b[20^q",
         "49/1 50/1 49/1 52/1 53/1 81/0"},
        // The keys around them keep their codes; rxvt's $ only ends a number.
        {"\x1bOP\x1b[14~\x1b[21~\x1b[23~\x1b[24$", "112/0 17/2 121/0 122/0 123/1"},
        {"\x1b[?1$y\x1b[$xz", "90/0"},
    };
    for (const auto& [bytes, keys] : cases) {
        SCOPED_TRACE(::testing::PrintToString(bytes));
        EXPECT_EQ(decode(bytes), keys);
    }
}

// An Escape, or part of a character, may begin more: it waits for the next
// read, and a lone Escape is the key once its time is up.
TEST(TerminalKeys, WhatMayBeginALongerKeyWaitsForTheNextRead) {
    KeyDecoder d;
    d.feed("\x1b");
    EXPECT_TRUE(d.empty() && d.incomplete());
    d.feed("[A\xe2\x82");
    EXPECT_EQ(d.pop(), (TermKey{TermKey::key, key::Up, 0}));
    d.feed("\xac\x1b");
    EXPECT_TRUE(d.empty() && d.incomplete());
    d.expire();
    EXPECT_EQ(d.pop(), (TermKey{TermKey::key, key::Escape, 0}));
    EXPECT_TRUE(d.empty());
}

struct Ended {};
using Keys = std::vector<std::pair<int, int>>;

std::string drain(int fd) {
    std::string s;
    char buf[4096];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) s.append(buf, size_t(n));
    return s;
}

// Pipes for a terminal host's keys, lines and control codes, none blocking.
struct Pipes {
    int in[2], out[2], control[2];
    Pipes() {
        for (int* p : {in, out, control}) EXPECT_EQ(::pipe2(p, O_CLOEXEC | O_NONBLOCK), 0);
    }
    ~Pipes() {
        for (int fd : {in[0], in[1], out[0], out[1], control[0], control[1]}) ::close(fd);
    }
    void type(const std::string& s) { (void)!::write(in[1], s.data(), s.size()); }
};

// A terminal on pipes that hands keys to itself; ending throws, failing the test.
struct Term : Pipes, TerminalHost, EventSink {
    Keys keys;
    std::function<void(int)> during = [](int) {};
    explicit Term(bool board = false)
        : TerminalHost(TerminalOptions{in[0], out[1], control[1], board, 20}) {}
    void end() override { throw Ended{}; }
    void on_key(int code, int state) override {
        keys.emplace_back(code, state);
        during(code);
    }
    void on_paint() override {}
    // Types `bytes` as the last input and hands out every key.
    void run_on(const std::string& bytes) {
        type(bytes);
        ::close(std::exchange(in[1], -1));
        run(*this);
    }
};

TEST(TerminalHost, KeysWaitForTheGameThenComeInWaitsAndYields) {
    Term t;
    t.type("z");
    t.yield();  // as start-up does: it hands out nothing
    EXPECT_TRUE(t.keys.empty());
    // Z's long wait returns as soon as it has handed out Q, whose handler
    // yields, which hands out W. A lone Escape at the end is the key.
    t.during = [&](int code) {
        if (code == 'Z') t.process_until(t.now_ms() + 600000);
        if (code == 'Q') t.yield();
    };
    t.run_on("qw\x1b");
    EXPECT_EQ(t.keys, (Keys{{'Z', 0}, {'Q', 0}, {'W', 0}, {27, 0}}));
}

// A key whose handling never returns (a hung sound or speech call) must not
// keep Ctrl+C from ending the program, and the saves handed over are still
// finished: here one that failed is told. The alarm turns a hang into a
// failure.
TEST(TerminalHost, CtrlCEndsTheProgramWhileAKeyHangs) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::alarm(60);
            BackgroundSaves saves;
            const SavesOnExit on_exit(saves);
            {
                testing::TempDir dir;
                dir.write("progress.ini/keep", "");  // the rename fails
                saves.replace(dir.path() + "/progress.ini", "new");
                saves.flush();
            }
            Term t;
            t.during = [&](int) {  // Ctrl+C comes while the first key is handled
                t.type("\x03");
                for (;;) ::pause();
            };
            t.type("a");
            t.run(t);
            std::_Exit(1);
        },
        ::testing::ExitedWithCode(0),
        "^velloxa: the last progress could not be saved in [^\n]*: Is a directory\n$");
}

// kitty's keyboard protocol when the terminal answers its query before the
// device attributes, else xterm's modifyOtherKeys; keys typed meanwhile stay.
TEST(TerminalHost, NegotiatesTheMostExactKeyReporting) {
    for (const bool kitty : {true, false}) {
        Term t;
        t.type(kitty ? "\x1b[?0u\x1b[?62;22c" : "x\x1b[?64;1c");
        t.negotiate(2000);
        EXPECT_EQ(t.kitty(), kitty);
        EXPECT_NE(drain(t.control[0]).find(kitty ? "\x1b[>13u" : "\x1b[>4;1m"), std::string::npos);
        t.run_on("");
        EXPECT_EQ(t.keys, (kitty ? Keys{} : Keys{{'X', 0}}));
    }
}

TEST(TerminalHost, PrintsPlainLinesAndTheTextBoardOnlyOnRequestAndChange) {
    Term quiet, shown(true);
    quiet.print("bad\x1b]0;x\a text");  // no control byte reaches the terminal
    BoardPicture p{.cursor_x = 2, .cursor_y = 1};
    p.cells[0] = {3, 1};  // column 1, row 1
    p.cells[5] = {4, 2};  // column 2, row 3
    quiet.begin_board(p);
    EXPECT_EQ(drain(quiet.out[0]), "bad]0;x text\n");
    // The program's own name back in the title is no line for the player.
    drain(quiet.control[0]);
    quiet.restore_title("Velloxa (v1)");
    EXPECT_EQ(drain(quiet.out[0]), "");
    EXPECT_EQ(drain(quiet.control[0]), "\x1b]0;Velloxa (v1)\a");
    // Initials are cut by characters, not bytes.
    shown.set_names([](int t) { return t == 3 ? std::string("\xc3\x89mber") : "Fo"; });
    shown.begin_board(p);
    shown.begin_board(p);
    EXPECT_EQ(drain(shown.out[0]),
              "| \xc3\x89mb Y |[  -  ]|   -   |\n"
              "|   -   |   -   |   -   |\n"
              "|   -   | Fo  E |   -   |\n");
    p.cursor_x = 3;
    shown.begin_board(p);
    EXPECT_NE(drain(shown.out[0]), "");
}

}  // namespace
}  // namespace velloxa
