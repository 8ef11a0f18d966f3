#include "platform/posix/saves_on_exit.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <thread>

#include "platform/posix/fdio.h"

namespace velloxa {

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};  // mutate: save-lost-on-sigterm
constexpr char kStopWatching = 0;

// A signal handler and an atexit() function can reach nothing but
// process-wide state: which saves to finish, and the pipe on which the
// handler passes its signal to a thread that may wait on locks.
struct ExitState {
    std::atomic<BackgroundSaves*> saves{nullptr};
    int pipe[2] = {-1, -1};
    struct sigaction previous[NSIG] {};
    bool handled[NSIG] = {};
    bool atexit_set = false;
    pthread_t owner{};  // the thread whose waits the signal must break
    std::thread watcher;
};

ExitState& exit_state() {
    // Never destroyed: exit() may come from any thread while this is in use.
    static ExitState* s = new ExitState;
    return *s;
}

void tell(const std::string& line) {
    if (line.empty()) return;
    const std::string text = line + "\n";
    write_all(2, text.data(), text.size());
}

void finish_active() {
    if (BackgroundSaves* saves = exit_state().saves.load())
        tell(saves->close_within(kLastSavesLimit));
}

void on_signal(int sig) {
    const int saved = errno;
    const char byte = static_cast<char>(sig);
    (void)!::write(exit_state().pipe[1], &byte, 1);
    errno = saved;
}

// Finishes the saves for each signal passed on, then hands the signal to
// whatever handled it before (the terminal's, which puts the terminal back
// and ends the program; SDL's, which asks the window to close; or the
// default, which ends the program), on the thread that waits for events,
// so that its wait is broken.
void watch_signals() {
    ExitState& s = exit_state();
    for (;;) {
        char byte = kStopWatching;
        const ssize_t n = ::read(s.pipe[0], &byte, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || byte == kStopWatching) return;
        const int sig = byte;
        finish_active();  // mutate: save-lost-on-signal
        ::sigaction(sig, &s.previous[sig], nullptr);
        ::pthread_kill(s.owner, sig);
    }
}

}  // namespace

void finish_saves_before_exit() {
    finish_active();
}

SavesOnExit::SavesOnExit(BackgroundSaves& saves) : saves_(saves) {
    ExitState& s = exit_state();
    s.saves.store(&saves);
    if (!s.atexit_set) {
        std::atexit(finish_active);
        s.atexit_set = true;
    }
    s.owner = ::pthread_self();
    if (::pipe2(s.pipe, O_CLOEXEC) != 0) return;
    ::fcntl(s.pipe[1], F_SETFL, O_NONBLOCK);
    for (const int sig : kEndingSignals) {
        struct sigaction now {};
        if (::sigaction(sig, nullptr, &now) != 0 || now.sa_handler == SIG_IGN) continue;
        struct sigaction mine {};
        mine.sa_handler = on_signal;
        sigemptyset(&mine.sa_mask);
        mine.sa_flags = SA_RESTART;
        s.handled[sig] = ::sigaction(sig, &mine, &s.previous[sig]) == 0;
    }
    s.watcher = std::thread(watch_signals);
}

SavesOnExit::~SavesOnExit() {
    finish();
    ExitState& s = exit_state();
    if (s.watcher.joinable()) {
        // A signal that came before the handlers are given back is still
        // read before the stop.
        for (const int sig : kEndingSignals) {
            if (s.handled[sig]) ::sigaction(sig, &s.previous[sig], nullptr);
            s.handled[sig] = false;
        }
        const char stop = kStopWatching;
        write_all(s.pipe[1], &stop, 1);
        s.watcher.join();
        ::close(s.pipe[0]);
        ::close(s.pipe[1]);
        s.pipe[0] = s.pipe[1] = -1;
    }
    s.saves.store(nullptr);
}

void SavesOnExit::finish() {
    tell(saves_.close_within(kLastSavesLimit));
}

}  // namespace velloxa
