#include "platform/speech/ssip.h"

#include <netdb.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace velloxa {

namespace {

constexpr int kDefaultPort = 6560;
constexpr size_t kLongestLine = 4096;  // answers are short; more is not the protocol

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The client name may hold neither the separator nor blanks.
std::string name_part(std::string text) {
    for (char& c : text)
        if (c == ':' || c == ' ' || c == '\t' || c == '\r' || c == '\n') c = '_';
    return text.empty() ? "user" : text;
}

void bound_waits(int fd, int timeout_ms) {
    timeval limit{};
    limit.tv_sec = timeout_ms / 1000;
    limit.tv_usec = (timeout_ms % 1000) * 1000;
    // mutate: speechd-reply-unbounded
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
}

// A connected socket, every wait on it (the connection too) bounded.
int open_socket(const SsipAddress& address, int timeout_ms) {
    if (address.unix_socket) {
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        if (address.path.size() >= sizeof(addr.sun_path)) throw SsipBroken("socket path too long");
        address.path.copy(addr.sun_path, address.path.size());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) throw SsipBroken(std::strerror(errno));
        bound_waits(fd, timeout_ms);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
            const int error = errno;
            ::close(fd);
            throw SsipBroken(std::strerror(error));
        }
        return fd;
    }
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (::getaddrinfo(address.host.c_str(), std::to_string(address.port).c_str(), &hints, &found) !=
        0)
        throw SsipBroken("unknown host " + address.host);
    int fd = -1;
    for (addrinfo* a = found; a && fd < 0; a = a->ai_next) {
        fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) continue;
        bound_waits(fd, timeout_ms);
        if (::connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    ::freeaddrinfo(found);
    if (fd < 0) throw SsipBroken("no server at " + address.host);
    return fd;
}

}  // namespace

std::optional<SsipAddress> speechd_address() {
    SsipAddress address;
    const std::string given = environment("SPEECHD_ADDRESS");
    const size_t colon = given.find(':');
    const std::string method = given.substr(0, colon);
    const std::string rest = colon == std::string::npos ? "" : given.substr(colon + 1);
    if (method == "inet_socket") {
        address.unix_socket = false;
        const size_t port = rest.rfind(':');
        address.host = rest.substr(0, port);
        if (address.host.empty()) address.host = "127.0.0.1";
        address.port = port == std::string::npos ? kDefaultPort : std::atoi(&rest[port + 1]);
        if (address.port <= 0 || address.port > 65535) return std::nullopt;
        return address;
    }
    if (!given.empty() && method != "unix_socket") return std::nullopt;
    address.path = rest;
    if (address.path.empty()) {
        // As the server forms it: the runtime folder, else the cache folder.
        std::string folder = environment("XDG_RUNTIME_DIR");
        if (folder.empty()) folder = environment("XDG_CACHE_HOME");
        if (folder.empty()) folder = environment("HOME") + "/.cache";
        address.path = folder + "/speech-dispatcher/speechd.sock";
    }
    return address;
}

std::string ssip_message(const std::string& text) {
    std::string data;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        if (text.compare(start, 1, ".") == 0) data += '.';
        data.append(text, start, end - start);
        data += "\r\n";
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return data + ".\r\n";
}

SsipConnection::SsipConnection(const SsipAddress& address, const std::string& component,
                               int timeout_ms)
    : fd_(open_socket(address, timeout_ms)) {
    try {
        if (!command("SET SELF CLIENT_NAME " + name_part(environment("USER")) +
                     ":velloxa:" + name_part(component)))
            throw SsipBroken("speech-dispatcher refused the client name");
        // Queued after one another, never cut off by later texts of the
        // same client, and cutting off a screen reader's plain text.
        command("SET SELF PRIORITY MESSAGE");
    } catch (...) {
        ::close(fd_);
        throw;
    }
}

SsipConnection::~SsipConnection() {
    ::close(fd_);
}

bool SsipConnection::speak(const std::string& text) {
    if (!command("SPEAK")) return false;
    send(ssip_message(text));
    return answer() / 100 == 2;
}

bool SsipConnection::cancel() {
    return command("CANCEL SELF");
}

bool SsipConnection::command(const std::string& line) {
    send(line + "\r\n");
    return answer() / 100 == 2;
}

int SsipConnection::answer() {
    for (;;) {
        int code = -1;
        for (bool last = false; !last;) {
            const std::string l = line();
            const bool digits = l.size() >= 4 && std::isdigit(static_cast<unsigned char>(l[0])) &&
                                std::isdigit(static_cast<unsigned char>(l[1])) &&
                                std::isdigit(static_cast<unsigned char>(l[2]));
            if (!digits || (l[3] != ' ' && l[3] != '-'))
                throw SsipBroken("speech-dispatcher answered outside its protocol");
            const int this_code = std::stoi(l.substr(0, 3));
            if (code >= 0 && this_code != code)
                throw SsipBroken("speech-dispatcher answered outside its protocol");
            code = this_code;
            last = l[3] == ' ';
        }
        // Event notifications (7xx) come only when asked for; skipped all the same.
        if (code / 100 != 7) return code;
    }
}

std::string SsipConnection::line() {
    for (;;) {
        const size_t end = received_.find("\r\n");
        if (end != std::string::npos) {
            std::string l = received_.substr(0, end);
            received_.erase(0, end + 2);
            return l;
        }
        if (received_.size() > kLongestLine)
            throw SsipBroken("speech-dispatcher answered outside its protocol");
        char chunk[512];
        const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) throw SsipBroken("speech-dispatcher closed the connection");
        if (n < 0) throw SsipBroken("speech-dispatcher does not answer");
        received_.append(chunk, static_cast<size_t>(n));
    }
}

void SsipConnection::send(const std::string& data) {
    // MSG_NOSIGNAL: a server that has gone is a failed call, not SIGPIPE.
    for (size_t sent = 0; sent < data.size();) {
        const ssize_t n = ::send(fd_, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EPIPE || errno == ECONNRESET))
            throw SsipBroken("speech-dispatcher closed the connection");
        if (n <= 0) throw SsipBroken("speech-dispatcher does not answer");
        sent += static_cast<size_t>(n);
    }
}

}  // namespace velloxa
