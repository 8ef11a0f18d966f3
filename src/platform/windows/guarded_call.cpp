#include "platform/windows/guarded_call.h"

#include "platform/windows/win32.h"

namespace velloxa {

namespace {

// The vectored handler takes no argument of its own, so the only way it can
// tell a guarded thread from the game's is state of that thread.
thread_local bool guarded_thread = false;

struct Job {
    uint32_t (*call)(void*);
    void* context;
    bool returned = false;  // set by the thread only when the call returns
    uint32_t answer = 0;
};

bool ends_the_call(DWORD code) {
    // Informational codes (debug output, thread names) are handled where
    // they are raised; C++ exceptions belong to the program itself.
    constexpr DWORD kGccException = 0x20474343;
    constexpr DWORD kMsvcException = 0xE06D7363;
    if ((code & 0xC0000000) == 0x40000000) return false;
    return code != kGccException && code != kMsvcException;
}

LONG CALLBACK end_guarded_thread(EXCEPTION_POINTERS* exception) {
    const DWORD code = exception->ExceptionRecord->ExceptionCode;
    // The code first: C++ exceptions of any thread pass without touching
    // thread-local state.
    if (!ends_the_call(code) || !guarded_thread) return EXCEPTION_CONTINUE_SEARCH;
    // Nothing above this frame on the thread owns anything of the program.
    ExitThread(code);
}

DWORD WINAPI run_job(void* parameter) {
    guarded_thread = true;
    Job* job = static_cast<Job*>(parameter);
    job->answer = job->call(job->context);
    job->returned = true;
    return 0;
}

// One handler for the process, added when the first guarded call is made.
// Adding it again would only call it twice.
void install_handler_once() {
    static const PVOID handler = AddVectoredExceptionHandler(1, end_guarded_thread);
    (void)handler;
}

}  // namespace

GuardedOutcome guarded_call(uint32_t (*call)(void*), void* context, uint32_t timeout_ms) {
    install_handler_once();
    // The job outlives a call that times out: it is then never freed.
    Job* job = new Job{call, context};
    DWORD id = 0;
    const HANDLE thread = CreateThread(nullptr, 0, run_job, job, 0, &id);
    if (thread == nullptr) {
        delete job;
        return {GuardedOutcome::Kind::raised, static_cast<uint32_t>(GetLastError())};
    }
    if (WaitForSingleObject(thread, timeout_ms) != WAIT_OBJECT_0) {
        CloseHandle(thread);
        return {GuardedOutcome::Kind::timed_out, 0};
    }
    // The thread has ended, so what it wrote is visible here.
    DWORD exit_code = 0;
    GetExitCodeThread(thread, &exit_code);
    CloseHandle(thread);
    const GuardedOutcome outcome = job->returned
                                       ? GuardedOutcome{GuardedOutcome::Kind::finished, job->answer}
                                       : GuardedOutcome{GuardedOutcome::Kind::raised, exit_code};
    delete job;
    return outcome;
}

}  // namespace velloxa
