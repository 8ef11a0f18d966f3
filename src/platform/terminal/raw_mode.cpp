#include "platform/terminal/raw_mode.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "platform/posix/fdio.h"

namespace velloxa::raw_mode {

namespace {

// A signal handler can reach nothing but process-wide state, so what it
// needs to put the terminal back lives here and nowhere else.
struct State {
    int in = -1;
    int control = -1;
    bool saved = false;
    termios original{};
    char leave[64]{};
    volatile sig_atomic_t leave_length = 0;
    volatile sig_atomic_t active = 0;
    struct sigaction previous[NSIG] {};
    void* alt_stack = nullptr;  // kept for the whole run
};

State& state() {
    static State s;
    return s;
}

// Signals that end the program: put the terminal back, then let the signal
// do what it would have done. A signal the program was started with
// ignored (nohup, a background job) stays ignored.
constexpr int ending[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGSEGV,
                          SIGBUS, SIGFPE,  SIGILL, SIGABRT, SIGTRAP};

void on_signal(int sig) {
    const int saved = errno;
    leave();
    // Hand the signal to whatever handled it before (the default action, or
    // a sanitizer's report). It is blocked until this handler returns, and
    // a crash simply faults again on return.
    sigaction(sig, &state().previous[sig], nullptr);
    raise(sig);
    errno = saved;
}

void install() {
    // Room to run the handler when the stack itself has overflowed.
    State& s = state();
    constexpr size_t alt_stack_size = 64 * 1024;
    if (s.alt_stack == nullptr) s.alt_stack = std::malloc(alt_stack_size);
    stack_t alt{};
    alt.ss_sp = s.alt_stack;
    alt.ss_size = alt_stack_size;
    if (alt.ss_sp != nullptr) sigaltstack(&alt, nullptr);

    for (int sig : ending) {
        struct sigaction now {};
        if (sigaction(sig, nullptr, &now) != 0 || now.sa_handler == SIG_IGN) continue;
        struct sigaction mine {};
        mine.sa_handler = on_signal;
        sigemptyset(&mine.sa_mask);
        mine.sa_flags = SA_ONSTACK;
        sigaction(sig, &mine, &s.previous[sig]);
    }
    std::atexit([] { leave(); });
}

}  // namespace

bool enter(int in, int control) {
    State& s = state();
    s.in = in;
    s.control = control;
    install();
    s.active = 1;
    if (::tcgetattr(in, &s.original) != 0) return false;
    s.saved = true;
    termios raw = s.original;
    raw.c_iflag &=
        ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
    raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    return ::tcsetattr(in, TCSANOW, &raw) == 0;
}

void set_leave_sequence(const std::string& bytes) {
    State& s = state();
    const size_t n = std::min(bytes.size(), sizeof s.leave - 1);
    s.leave_length = 0;
    std::memcpy(s.leave, bytes.data(), n);
    s.leave_length = static_cast<sig_atomic_t>(n);
}

void leave() {
    State& s = state();
    if (!s.active) return;
    s.active = 0;
    if (s.control >= 0 && s.leave_length > 0)
        write_all(s.control, s.leave, static_cast<size_t>(s.leave_length));
    if (s.saved) {
        // Keys typed but never read (and late answers of the terminal) must
        // not spill into the shell.
        ::tcflush(s.in, TCIFLUSH);
        ::tcsetattr(s.in, TCSANOW, &s.original);
    }
}

}  // namespace velloxa::raw_mode
