// A client of speech-dispatcher's text protocol (SSIP) over its socket.
//
// Spoken here rather than through libspeechd, which ends the whole process
// on a reply it cannot parse: here every fault of the server is an
// exception the caller can recover from. Calls block (each answer is
// awaited at most the time limit), so they belong on a worker thread.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace velloxa {

// Where the server listens.
struct SsipAddress {
    bool unix_socket = true;
    std::string path;  // unix_socket
    std::string host;  // inet_socket
    int port = 0;
};

// The address in $SPEECHD_ADDRESS ("unix_socket[:PATH]" or
// "inet_socket[:HOST[:PORT]]"), else the server's default socket in the
// user's runtime folder. None when the variable names an unknown method.
std::optional<SsipAddress> speechd_address();

// The server is gone, let the time limit pass, or answered something that
// is not the protocol: the connection is of no further use.
struct SsipBroken : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The text of a message as SSIP carries it: lines end in CR LF, a line that
// starts with a dot gets a second one, and a line with a lone dot ends it.
std::string ssip_message(const std::string& text);

class SsipConnection {
  public:
    // Connects and names this client USER:velloxa:COMPONENT. Throws
    // SsipBroken when there is no server or it does not answer in time.
    SsipConnection(const SsipAddress& address, const std::string& component, int timeout_ms);
    ~SsipConnection();
    SsipConnection(const SsipConnection&) = delete;
    SsipConnection& operator=(const SsipConnection&) = delete;

    // Each returns whether the server accepted the command; a refusal (an
    // error code in a well-formed answer) leaves the connection usable.
    // Throws SsipBroken as above.
    bool speak(const std::string& text);
    bool cancel();  // what this client has queued or speaking
    bool command(const std::string& line);

  private:
    int answer();  // the code of the next whole answer, events skipped
    std::string line();
    void send(const std::string& data);

    int fd_ = -1;
    std::string received_;
};

}  // namespace velloxa
