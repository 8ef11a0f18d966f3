// Route 3 on Windows against a stand-in screen reader (stand_in_reader.cpp)
// that records every call it receives, its server stubs made apart from the
// game's client stubs.
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "flow/game.h"
#include "platform/windows/screen_reader.h"
#include "platform/windows/wide.h"
#include "platform/windows/win32.h"
#include "support/harness.h"

namespace velloxa {
namespace {

using testing::Harness;
using testing::read_file;
using testing::TempDir;

// The stand-in, started beside this test program, until it is stopped.
class StandIn {
  public:
    explicit StandIn(const std::string& log, const std::wstring& mode = L"") : log_(log) {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring program(self);
        program = program.substr(0, program.find_last_of(L"\\/") + 1) + L"stand_in_reader.exe";
        std::wstring command = L"\"" + program + L"\" \"" + widen(log) + L"\" " + mode;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process_))
            throw std::runtime_error("the stand-in does not start");
        CloseHandle(process_.hThread);
        // Generous: Wine may be slow to start a program on a busy machine.
        listening = testing::wait_until([&] { return read_file(log_).starts_with("listening\n"); });
    }
    ~StandIn() {
        stop();
        CloseHandle(process_.hProcess);
    }
    // As a reader that is closed or crashes.
    void stop() {
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, INFINITE);
    }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    bool listening = false;
    bool ended(DWORD wait_ms) const {
        return WaitForSingleObject(process_.hProcess, wait_ms) == WAIT_OBJECT_0;
    }
    // Every call received, without the "listening" line.
    std::vector<std::string> calls() const {
        std::istringstream log(read_file(log_));
        std::vector<std::string> all;
        for (std::string line; std::getline(log, line);)
            if (line != "listening") all.push_back(line);
        return all;
    }

  private:
    std::string log_;
    PROCESS_INFORMATION process_{};
};

// A saved route 3 whose reader answers the probe but speaks nothing: the
// game starts on the voice, says why, then welcomes the player. First of
// all: under Wine this process no longer reaches a third stand-in once two
// have ended under its calls.
TEST(NvdaReader, ASavedReaderRouteThatCannotSpeakStartsOnTheVoice) {
    TempDir dir;
    StandIn stand_in(dir.path() + "/calls", L"mute");
    ASSERT_TRUE(stand_in.listening);
    Harness h;
    h.home.add_sounds();
    h.home.write("progress.ini", "3" + testing::progress_file(1, 0).substr(1));
    NvdaReader nvda(nullptr, 30000);
    h.use({.reader = &nvda});
    h.start();
    EXPECT_EQ(h.only("speak "),
              (std::vector<std::string>{"speak Jaws does not seem to be responding, Sapi on.",
                                        std::string("speak Welcome to Nebbin's Velloxa, version ") +
                                            kVersion + ".  Main menu."}));
}

TEST(NvdaReader, SpeechAndBrailleOfAnyTextAndAReaderThatQuits) {
    TempDir dir;
    NvdaReader reader(nullptr, 30000);
    EXPECT_FALSE(reader.connect()) << "no reader is listening yet";
    EXPECT_THROW(reader.say("nobody"), std::runtime_error);

    StandIn stand_in(dir.path() + "/calls");
    ASSERT_TRUE(stand_in.listening && reader.connect());
    reader.say("Jörg's «deck»");  // wide characters both ways
    reader.cancel();
    EXPECT_EQ(stand_in.calls(),
              (std::vector<std::string>{"testIfRunning", "speakText Jörg's «deck»",
                                        "brailleMessage Jörg's «deck»", "cancelSpeech"}));

    // The reader ends inside the call: the loss is told once, the program
    // lives on.
    EXPECT_THROW(reader.say("exit now"), ScreenReaderLost);
    EXPECT_TRUE(stand_in.ended(60000));
    EXPECT_NO_THROW(reader.cancel());
    try {
        reader.say("after");
        ADD_FAILURE() << "a text went nowhere";
    } catch (const ScreenReaderLost&) {
        ADD_FAILURE() << "the loss was told twice";
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(reader.connect());
}

// The game on route 3 through the reader: Tab finds a reader started after
// the game, a key cancels before the next text, with none the route falls
// back to the voice with its text, and so it does when the reader is
// stopped mid-game.
TEST(NvdaReader, TheGameFindsTheReaderOnTabCancelsOnEachKeyAndOutlivesIt) {
    Harness h;
    NvdaReader nvda(nullptr, 30000);
    h.use({.reader = &nvda});
    h.start();

    // Routes 1 and 2 set the window title; the voice speaks the fall-back.
    const std::vector<std::string> fall_back{"Jaws does not seem to be responding, Sapi on."};
    EXPECT_EQ(h.said("Tab\nTab\nTab"), fall_back);

    TempDir dir;
    StandIn stand_in(dir.path() + "/calls");
    ASSERT_TRUE(stand_in.listening);
    h.keys("Tab\nTab\nTab\nDown");
    EXPECT_EQ(stand_in.calls(),
              (std::vector<std::string>{"testIfRunning", "speakText Jaws", "brailleMessage Jaws",
                                        "cancelSpeech", "speakText New game",
                                        "brailleMessage New game"}));

    stand_in.stop();
    EXPECT_EQ(h.said("Down"), fall_back);
    EXPECT_EQ(h.said("Down"), std::vector<std::string>{"How to play"});
}

}  // namespace
}  // namespace velloxa
