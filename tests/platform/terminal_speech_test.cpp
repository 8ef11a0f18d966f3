// The terminal program with a speech-dispatcher that takes texts and never
// answers them: the keys, Ctrl+C among them, must still be read.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "fake_speechd.h"
#include "support/harness.h"

namespace velloxa {
namespace {

using testing::FakeSpeechd;
using Clock = std::chrono::steady_clock;

// A hang guard only: each wait ends as soon as what it waits for is there.
constexpr auto kPatience = std::chrono::seconds(30);

// Reads what the program prints until `done` holds for it.
bool read_until(int pty, std::string& printed, const std::function<bool()>& done) {
    const auto limit = Clock::now() + kPatience;
    while (!done()) {
        if (Clock::now() > limit) return false;
        pollfd p{pty, POLLIN, 0};
        if (::poll(&p, 1, 10) > 0) {
            char buf[4096];
            const ssize_t n = ::read(pty, buf, sizeof buf);
            if (n > 0) printed.append(buf, static_cast<size_t>(n));
        }
    }
    return true;
}

TEST(TerminalSpeech, CtrlCEndsTheGameWhileSpeechDispatcherSitsOnAText) {
    const char* binary = std::getenv("VELLOXA_BINARY");
    if (!binary) GTEST_SKIP() << "VELLOXA_BINARY is not set";
    testing::TempDir dir;
    std::filesystem::create_directory_symlink(
        std::filesystem::path(binary).parent_path() / "sounds", dir.path() + "/sounds");
    const std::string socket = dir.path() + "/speechd.sock";
    FakeSpeechd server(socket, FakeSpeechd::Manner::holds_speech);
    int pty = -1;
    const pid_t child = ::forkpty(&pty, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setenv("SPEECHD_ADDRESS", ("unix_socket:" + socket).c_str(), 1);
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
        ::setenv("TERM", "dumb", 1);
        ::execl(binary, binary, "--terminal", "--home", dir.path().c_str(), "--seed", "1", nullptr);
        std::_Exit(127);
    }
    std::string printed;
    // Keys typed during start-up wait for it; the reader has connected.
    ASSERT_TRUE(read_until(pty, printed, [&] {
        return server.log().find("CLIENT_NAME") != std::string::npos;
    })) << printed;
    // Three Tabs reach the screen-reader route, whose text the server keeps
    // unanswered. Each waits for the last: keys that come while the second
    // route sends its chord are dropped.
    const auto printed_line = [&](const char* text) {
        return [&printed, text] { return printed.find(text) != std::string::npos; };
    };
    ASSERT_EQ(::write(pty, "\t", 1), 1);
    ASSERT_TRUE(read_until(pty, printed, printed_line("NVDA\r\n"))) << printed;
    ASSERT_EQ(::write(pty, "\t", 1), 1);
    // The route is saved once its chord is done.
    ASSERT_TRUE(read_until(pty, printed, [&] {
        return dir.read("progress.ini").starts_with("2\r\n");
    })) << printed;
    ASSERT_EQ(::write(pty, "\t", 1), 1);
    ASSERT_TRUE(
        read_until(pty, printed, [&] { return server.log().find("SPEAK") != std::string::npos; }))
        << printed << server.log();
    ASSERT_EQ(::write(pty, "\x03", 1), 1);
    int status = -1;
    const bool ended =
        read_until(pty, printed, [&] { return ::waitpid(child, &status, WNOHANG) == child; });
    if (!ended) ::kill(child, SIGKILL);
    ::close(pty);
    ASSERT_TRUE(ended) << "Ctrl+C did not end the program";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(server.answered_texts(), 0);
}

}  // namespace
}  // namespace velloxa
