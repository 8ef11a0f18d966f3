// A screen reader's controller for the checks under Wine: it listens where
// the real one would and writes every call it receives to a log, one line
// each, flushed at once:
//   stand_in_reader.exe LOG [mute]
// "listening" is the first line once calls can come. The text "exit now"
// ends the stand-in in the middle of that call, as a reader that quits.
// A mute stand-in answers the probe and refuses every text.
#include <cstdio>
#include <string>

#include "controller_server.h"
#include "platform/windows/nvda_endpoint.h"
#include "platform/windows/wide.h"

namespace {

// The RPC runtime calls the operations below as free functions, with
// nothing of ours: the log they write to can only live here.
std::FILE*& log_file() {
    static std::FILE* file = nullptr;
    return file;
}

bool& mute() {
    static bool refusing = false;
    return refusing;
}

error_status_t record(const std::string& line) {
    std::fprintf(log_file(), "%s\n", line.c_str());
    std::fflush(log_file());
    return 0;
}

error_status_t record_text(const char* operation, const wchar_t* text) {
    const std::string utf8 = velloxa::narrow(text);
    if (utf8 == "exit now") {
        record(std::string(operation) + " exit now");
        ExitProcess(0);
    }
    record(std::string(operation) + " " + utf8);
    return mute() ? ERROR_NOT_READY : 0;
}

}  // namespace

extern "C" {
error_status_t testIfRunning() {
    return record("testIfRunning");
}
error_status_t speakText(const wchar_t* text) {
    return record_text("speakText", text);
}
error_status_t cancelSpeech() {
    return record("cancelSpeech");
}
error_status_t brailleMessage(const wchar_t* text) {
    return record_text("brailleMessage", text);
}
}

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 3 && std::string(argv[2]) == "mute")) return 2;
    mute() = argc == 3;
    log_file() = std::fopen(argv[1], "ab");
    if (!log_file()) return 1;
    std::wstring endpoint = velloxa::nvda_endpoint();
    RPC_WSTR protocol = reinterpret_cast<RPC_WSTR>(const_cast<wchar_t*>(L"ncalrpc"));
    if (RpcServerUseProtseqEpW(protocol, RPC_C_PROTSEQ_MAX_REQS_DEFAULT,
                               reinterpret_cast<RPC_WSTR>(endpoint.data()), nullptr) != RPC_S_OK)
        return 1;
    if (RpcServerRegisterIf(NvdaController_v1_0_s_ifspec, nullptr, nullptr) != RPC_S_OK) return 1;
    if (RpcServerListen(1, RPC_C_LISTEN_MAX_CALLS_DEFAULT, TRUE) != RPC_S_OK) return 1;
    record("listening");
    RpcMgmtWaitServerListen();
    return 0;
}
