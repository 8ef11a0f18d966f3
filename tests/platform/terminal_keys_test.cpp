#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/terminal/keys.h"

namespace velloxa {
namespace {

struct K {
    int code, state;
    bool operator==(const K&) const = default;
};

std::ostream& operator<<(std::ostream& os, const K& k) {
    return os << "{" << k.code << "," << k.state << "}";
}

// Every key event from `bytes`, taking what is left over as complete.
std::vector<K> keys(const std::string& bytes, bool expire = true) {
    KeyDecoder d;
    d.feed(bytes);
    if (expire) d.expire();
    std::vector<K> out;
    while (!d.empty()) {
        const TermKey t = d.pop();
        if (t.kind == TermKey::key)
            out.push_back({t.code, t.state});
        else
            out.push_back({-static_cast<int>(t.kind), 0});
    }
    return out;
}

const K quit{-TermKey::quit, 0};

TEST(TerminalKeys, PlainBytesGiveTheWindowsCodes) {
    EXPECT_EQ(keys("aZ"), (std::vector<K>{{65, 0}, {90, 1}}));
    EXPECT_EQ(keys("09"), (std::vector<K>{{48, 0}, {57, 0}}));
    // The shifted digit row of a US layout is Shift with the digit.
    EXPECT_EQ(keys("!@#$%^&*()"), (std::vector<K>{{49, 1},
                                                  {50, 1},
                                                  {51, 1},
                                                  {52, 1},
                                                  {53, 1},
                                                  {54, 1},
                                                  {55, 1},
                                                  {56, 1},
                                                  {57, 1},
                                                  {48, 1}}));
    EXPECT_EQ(keys("\r\n\t \x7f"), (std::vector<K>{{13, 0}, {13, 0}, {9, 0}, {32, 0}, {8, 0}}));
    EXPECT_EQ(keys(",<?"), (std::vector<K>{{188, 0}, {188, 1}, {191, 1}}));
    // Text beyond ASCII has no key; a character split between reads waits.
    EXPECT_EQ(keys("\xc3\xa9z"), (std::vector<K>{{90, 0}}));
    EXPECT_EQ(keys("\xe2\x82", false), (std::vector<K>{}));
}

TEST(TerminalKeys, ControlBytesAndTheStandIns) {
    EXPECT_EQ(keys("\x17\x1a"), (std::vector<K>{{87, 2}, {90, 2}}));   // Ctrl+W, Ctrl+Z
    EXPECT_EQ(keys("\x05"), (std::vector<K>{{13, 1}}));                // Ctrl+E: Shift+Enter
    EXPECT_EQ(keys("\x18"), (std::vector<K>{{27, 1}}));                // Ctrl+X: Shift+Escape
    EXPECT_EQ(keys(std::string(1, '\0')), (std::vector<K>{{17, 2}}));  // Ctrl+Space: Ctrl
    EXPECT_EQ(keys("\x03"), (std::vector<K>{quit}));
    // F2, F3, F4 in the forms of xterm, rxvt, the Linux console and with modifiers.
    EXPECT_EQ(keys("\x1bOQ\x1b[13~\x1b[[D"), (std::vector<K>{{13, 1}, {27, 1}, {17, 2}}));
    EXPECT_EQ(keys("\x1b[1;2Q\x1b[12~"), (std::vector<K>{{13, 1}, {13, 1}}));
    EXPECT_EQ(keys("\x1bOP\x1b[15~"), (std::vector<K>{{112, 0}, {116, 0}}));
}

TEST(TerminalKeys, EscapeIsToldApartFromSequencesByTime) {
    KeyDecoder d;
    d.feed("\x1b");
    EXPECT_TRUE(d.empty());
    EXPECT_TRUE(d.incomplete());
    d.feed("[A");  // the rest of the arrow arrives in a later read
    ASSERT_FALSE(d.empty());
    EXPECT_EQ(d.pop(), (TermKey{TermKey::key, 38, 0}));
    EXPECT_FALSE(d.incomplete());

    d.feed("\x1b");
    d.expire();
    EXPECT_EQ(d.pop(), (TermKey{TermKey::key, 27, 0}));
    EXPECT_TRUE(d.empty());

    EXPECT_EQ(keys("\x1b\x1b"), (std::vector<K>{{27, 0}, {27, 0}}));
    EXPECT_EQ(keys("\x1b"
                   "a\x1b"
                   "1"),
              (std::vector<K>{{65, 4}, {49, 4}}));         // Alt
    EXPECT_EQ(keys("\x1b["), (std::vector<K>{{219, 4}}));  // Alt+[
}

TEST(TerminalKeys, CursorAndPageKeys) {
    EXPECT_EQ(keys("\x1b[A\x1b[B\x1b[C\x1b[D"),
              (std::vector<K>{{38, 0}, {40, 0}, {39, 0}, {37, 0}}));
    EXPECT_EQ(keys("\x1bOA\x1bOD"), (std::vector<K>{{38, 0}, {37, 0}}));
    EXPECT_EQ(keys("\x1b[1;2A\x1b[1;5D\x1b[1;3B"), (std::vector<K>{{38, 1}, {37, 2}, {40, 4}}));
    EXPECT_EQ(keys("\x1b[5~\x1b[6~\x1b[6;5~"), (std::vector<K>{{33, 0}, {34, 0}, {34, 2}}));
    EXPECT_EQ(keys("\x1b[Z"), (std::vector<K>{{9, 1}}));
    // Sequences it does not know are swallowed whole.
    EXPECT_EQ(keys("\x1b[200~x"), (std::vector<K>{{88, 0}}));
}

TEST(TerminalKeys, ExactModifiersFromTheExtendedProtocols) {
    // kitty keyboard protocol
    EXPECT_EQ(keys("\x1b[27u\x1b[27;2u"), (std::vector<K>{{27, 0}, {27, 1}}));
    EXPECT_EQ(keys("\x1b[13;2u\x1b[13u"), (std::vector<K>{{13, 1}, {13, 0}}));
    EXPECT_EQ(keys("\x1b[57442;5u\x1b[57441;2u\x1b[57443;3u"),
              (std::vector<K>{{17, 2}, {16, 1}, {18, 4}}));
    EXPECT_EQ(keys("\x1b[49;2u\x1b[97u\x1b[97;2u"), (std::vector<K>{{49, 1}, {65, 0}, {65, 1}}));
    EXPECT_EQ(keys("\x1b[99;5u"), (std::vector<K>{quit}));
    EXPECT_EQ(keys("\x1b[101;5u"), (std::vector<K>{{13, 1}}));  // Ctrl+E stays a stand-in
    // A digit key on another layout goes by its US place (&, shifted to 1).
    EXPECT_EQ(keys("\x1b[38::49;2u"), (std::vector<K>{{49, 1}}));
    EXPECT_EQ(keys("\x1b[97;1:3u"), (std::vector<K>{}));  // a release
    EXPECT_EQ(keys("\x1b[1;2A"), (std::vector<K>{{38, 1}}));
    // xterm's modifyOtherKeys
    EXPECT_EQ(keys("\x1b[27;2;13~\x1b[27;2;27~"), (std::vector<K>{{13, 1}, {27, 1}}));
    EXPECT_EQ(keys("\x1b[27;5;99~"), (std::vector<K>{quit}));
    EXPECT_EQ(keys("\x1b[27;2;33~"), (std::vector<K>{{49, 1}}));
}

TEST(TerminalKeys, AnswersOfTheTerminalAreNoKeys) {
    KeyDecoder d;
    d.feed(
        "\x1b[?1u\x1b[?62;22c"
        "a");
    EXPECT_EQ(d.pop().kind, TermKey::kittyreply);
    EXPECT_EQ(d.pop().kind, TermKey::attributes);
    EXPECT_EQ(d.pop(), (TermKey{TermKey::key, 65, 0}));
}

}  // namespace
}  // namespace velloxa
