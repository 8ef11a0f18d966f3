#include "platform/speech/speechd_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

#include "fake_speechd.h"
#include "support/harness.h"

namespace velloxa {
namespace {

using testing::FakeSpeechd;
using Manner = FakeSpeechd::Manner;
using std::chrono::milliseconds;

bool waituntil(const std::function<bool()>& done, int seconds = 20) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(milliseconds(5));
    }
    return true;
}

// The message of what `say` throws; empty when it does not throw.
std::string refusal(SpeechdReader& reader, const std::string& text) {
    try {
        reader.say(text);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

struct DesktopReader : ::testing::Test {
    void SetUp() override { ::setenv("SPEECHD_ADDRESS", ("unix_socket:" + socket).c_str(), 1); }
    void TearDown() override { ::unsetenv("SPEECHD_ADDRESS"); }
    testing::TempDir dir;
    std::string socket = dir.path() + "/speechd.sock";
};

TEST_F(DesktopReader, NoServerOrOneThatNeverAnswersMeansNoScreenReader) {
    SpeechdReader absent;
    EXPECT_FALSE(absent.create());
    EXPECT_EQ(refusal(absent, "hello"), "no screen reader");
    // Without the time limit the probe would wait here for good.
    FakeSpeechd server(socket, Manner::silent);
    SpeechdReader silent(nullptr, 300);
    EXPECT_FALSE(silent.create());
    EXPECT_EQ(refusal(silent, "hello"), "no screen reader");
}

TEST_F(DesktopReader, TextsAreSentInOrderAsMessages) {
    FakeSpeechd server(socket, Manner::answers);
    SpeechdReader reader;
    ASSERT_TRUE(reader.create());
    reader.say("Welcome to the board.");
    ASSERT_TRUE(waituntil([&] { return server.answered_texts() == 1; }));
    reader.say("Spot 2, 2.");
    ASSERT_TRUE(waituntil([&] { return server.answered_texts() == 2; }));
    const std::string log = server.log();
    const size_t first = log.find("SPEAK\ntext Welcome to the board.\ntext .\n");
    EXPECT_NE(log.find("SPEAK\ntext Spot 2, 2.\ntext .\n", first), std::string::npos) << log;
    EXPECT_NE(log.find(":VELLOXA:"), std::string::npos);  // in the client name
    EXPECT_NE(log.find("\nSET SELF PRIORITY MESSAGE\n"), std::string::npos);
    EXPECT_EQ(log.find("PRIORITY IMPORTANT"), std::string::npos);
}

// While the server sits on an answer, only the newest text waits; the
// silence key drops that one too and cancels what the server is saying.
TEST_F(DesktopReader, OnlyTheNewestTextWaitsAndSilenceDropsIt) {
    SpeechdReader reader(nullptr, 20000);  // outlives the server: its end frees the worker
    FakeSpeechd server(socket, Manner::holds_speech);
    ASSERT_TRUE(reader.create());
    reader.say("first");
    ASSERT_TRUE(waituntil([&] { return server.log().find("text first\n") != std::string::npos; }));
    // Each of these returns although the server has not answered "first".
    reader.say("second");
    reader.say("third");
    reader.say("");
    reader.say("fourth");
    EXPECT_EQ(server.answered_texts(), 0);
    server.release();
    ASSERT_TRUE(waituntil([&] { return server.answered_texts() == 2; }));
    const std::string log = server.log();
    EXPECT_EQ(log.find("second"), std::string::npos) << log;
    EXPECT_EQ(log.find("third"), std::string::npos) << log;
    const size_t cancel = log.find("CANCEL SELF\n");
    EXPECT_NE(cancel, std::string::npos) << log;
    EXPECT_NE(log.find("text fourth\n", cancel), std::string::npos) << log;
    EXPECT_EQ(refusal(reader, "fifth"), "");
}

struct Misbehaviour {
    const char* name;
    Manner manner;
    bool given_up;  // the reader gives the server up
};

class DesktopReaderServer : public DesktopReader,
                            public ::testing::WithParamInterface<Misbehaviour> {};

// Texts are handed over at once whatever the server does. One that lets
// the time limit pass, or drops the connection, is reported once and then
// treated as no screen reader; a slow one within the limit is kept.
TEST_P(DesktopReaderServer, TextsAreHandedOverAtOnceAndAHungServerIsGivenUp) {
    const Misbehaviour& m = GetParam();
    SpeechdReader reader(nullptr, 300);
    FakeSpeechd server(socket, m.manner, milliseconds(100));
    ASSERT_TRUE(reader.create());
    for (const char* text : {"Tab", "Tab again", "Tab once more"}) {
        EXPECT_EQ(refusal(reader, text), "");
        // The server still holds its first answer: `say` did not wait for it.
        if (m.manner == Manner::holds_speech) {
            EXPECT_EQ(server.answered_texts(), 0);
        }
    }
    if (!m.given_up) {
        ASSERT_TRUE(waituntil(
            [&] { return server.log().find("text Tab once more\n") != std::string::npos; }));
        EXPECT_EQ(refusal(reader, "still there"), "");
        return;
    }
    std::string first;
    ASSERT_TRUE(waituntil([&] { return !(first = refusal(reader, "anyone?")).empty(); }));
    EXPECT_EQ(first, "speech-dispatcher does not answer");
    EXPECT_EQ(refusal(reader, "anyone?"), "no screen reader");
    EXPECT_EQ(refusal(reader, ""), "no screen reader");
}

INSTANTIATE_TEST_SUITE_P(, DesktopReaderServer,
                         ::testing::Values(Misbehaviour{"NeverAnswers", Manner::holds_speech, true},
                                           Misbehaviour{"ClosesMidText", Manner::closes_mid_text,
                                                        true},
                                           Misbehaviour{"AnswersSlowly", Manner::slow, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesktopReader, AServerThatGoesAwayIsGivenUp) {
    FakeSpeechd server(socket, Manner::answers);
    SpeechdReader reader;
    ASSERT_TRUE(reader.create());
    server.stop();
    std::string first;
    ASSERT_TRUE(waituntil([&] { return !(first = refusal(reader, "anyone?")).empty(); }));
    EXPECT_EQ(first, "speech-dispatcher does not answer");
    EXPECT_EQ(refusal(reader, "anyone?"), "no screen reader");
}

}  // namespace
}  // namespace velloxa
