#include <gtest/gtest.h>

#include <string>

#include "platform/terminal/keys.h"

namespace velloxa {
namespace {

// Every key event from `bytes` as "code/state", taking what is left over
// as complete unless `expire` is false.
std::string keys(const std::string& bytes, bool expire = true) {
    KeyDecoder d;
    d.feed(bytes);
    if (expire) d.expire();
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

TEST(TerminalKeys, PlainAndControlBytesAndTheStandIns) {
    EXPECT_EQ(keys("aZ09\r\n\t \x7f,<?"),
              "65/0 90/1 48/0 57/0 13/0 13/0 9/0 32/0 8/0 188/0 188/1 191/1");
    // The shifted digit row of a US layout is Shift with the digit.
    EXPECT_EQ(keys(")!@#$%^&*("), "48/1 49/1 50/1 51/1 52/1 53/1 54/1 55/1 56/1 57/1");
    // Text beyond ASCII has no key; a character split between reads waits.
    EXPECT_EQ(keys("\xc3\xa9z"), "90/0");
    EXPECT_EQ(keys("\xe2\x82", false), "");
    // Ctrl+W, Ctrl+Z; Ctrl+E, Ctrl+X and Ctrl+Space stand in for Shift+Enter,
    // Shift+Escape and Ctrl, as do F2, F3 and F4 in the forms of xterm, rxvt,
    // the Linux console and with modifiers.
    EXPECT_EQ(keys(std::string("\x17\x1a\x05\x18\0", 5)), "87/2 90/2 13/1 27/1 17/2");
    EXPECT_EQ(keys("\x1bOQ\x1b[13~\x1b[[D\x1b[1;2Q\x1b[12~"), "13/1 27/1 17/2 13/1 13/1");
    EXPECT_EQ(keys("\x1bOP\x1b[15~"), "112/0 116/0");
    EXPECT_EQ(keys("\x03"), "quit");
}

TEST(TerminalKeys, EscapeIsToldApartFromSequencesByTime) {
    KeyDecoder d;
    d.feed("\x1b");
    EXPECT_TRUE(d.empty() && d.incomplete());
    d.feed("[A");  // the rest of the arrow arrives in a later read
    ASSERT_FALSE(d.empty());
    EXPECT_EQ(d.pop(), (TermKey{TermKey::key, 38, 0}));
    EXPECT_FALSE(d.incomplete());
    d.feed("\x1b");
    d.expire();
    EXPECT_EQ(d.pop(), (TermKey{TermKey::key, 27, 0}));
    EXPECT_TRUE(d.empty());
    EXPECT_EQ(keys("\x1b\x1b"), "27/0 27/0");
    EXPECT_EQ(keys("\x1b"
                   "a\x1b"
                   "1\x1b["),
              "65/4 49/4 219/4");  // Alt
}

TEST(TerminalKeys, CursorAndPageKeys) {
    EXPECT_EQ(keys("\x1b[A\x1b[B\x1b[C\x1b[D\x1bOA\x1bOD"), "38/0 40/0 39/0 37/0 38/0 37/0");
    EXPECT_EQ(keys("\x1b[1;2A\x1b[1;5D\x1b[1;3B"), "38/1 37/2 40/4");
    EXPECT_EQ(keys("\x1b[5~\x1b[6~\x1b[6;5~\x1b[Z"), "33/0 34/0 34/2 9/1");
    // Sequences it does not know are swallowed whole.
    EXPECT_EQ(keys("\x1b[200~x"), "88/0");
}

TEST(TerminalKeys, ExactModifiersFromTheExtendedProtocolsAndAnswersThatAreNoKeys) {
    // kitty keyboard protocol
    EXPECT_EQ(keys("\x1b[27u\x1b[27;2u\x1b[13;2u\x1b[13u"), "27/0 27/1 13/1 13/0");
    EXPECT_EQ(keys("\x1b[57442;5u\x1b[57441;2u\x1b[57443;3u"), "17/2 16/1 18/4");
    EXPECT_EQ(keys("\x1b[49;2u\x1b[97u\x1b[97;2u"), "49/1 65/0 65/1");
    EXPECT_EQ(keys("\x1b[99;5u"), "quit");
    EXPECT_EQ(keys("\x1b[101;5u"), "13/1");  // Ctrl+E stays a stand-in
    // A digit key on another layout goes by its US place (&, shifted to 1).
    EXPECT_EQ(keys("\x1b[38::49;2u"), "49/1");
    EXPECT_EQ(keys("\x1b[97;1:3u"), "");  // a release
    // xterm's modifyOtherKeys
    EXPECT_EQ(keys("\x1b[27;2;13~\x1b[27;2;27~\x1b[27;2;33~"), "13/1 27/1 49/1");
    EXPECT_EQ(keys("\x1b[27;5;99~"), "quit");
    EXPECT_EQ(keys("\x1b[?1u\x1b[?62;22c"
                   "a"),
              "kittyreply attributes 65/0");
}

}  // namespace
}  // namespace velloxa
