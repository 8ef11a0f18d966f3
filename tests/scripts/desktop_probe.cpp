// Helper of the desktop checks: reads the window's picture and closes a
// window the way a window manager does.
//   desktop_probe pixel PICTURE.bmp X Y        -> "R G B"
//   desktop_probe count PICTURE.bmp X0 Y0 X1 Y1 R G B
//                                              -> pixels of that colour in the box
//   desktop_probe close WINDOW_ID              -> sends WM_DELETE_WINDOW
//   desktop_probe braille SOCKET CELLS         -> a braille display of CELLS cells
//       for BRLTTY's virtual driver listening on SOCKET: the lines BRLTTY sends
//       are printed with the microseconds since the epoch before each, the lines
//       read from standard input (the display's keys) are sent to BRLTTY.
#include <X11/Xlib.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

// A 24-bit BMP, as both front-ends save their pictures.
struct Picture {
    std::vector<unsigned char> bytes;
    long width = 0, height = 0, offset = 0, row = 0;
    bool load(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || bytes[28] != 24)
            return false;
        auto i32 = [&](size_t at) {
            return static_cast<int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                        bytes[at + 3] << 24);
        };
        offset = i32(10);
        width = i32(18);
        height = i32(22);  // negative for rows stored top down
        row = (width * 3 + 3) / 4 * 4;
        return static_cast<long>(bytes.size()) >= offset + row * std::labs(height);
    }
    // "R G B" at x, y from the top left; empty outside the picture.
    std::string at(long x, long y) const {
        if (x < 0 || y < 0 || x >= width || y >= std::labs(height)) return "";
        const size_t p =
            static_cast<size_t>(offset + (height > 0 ? height - 1 - y : y) * row + x * 3);
        return std::to_string(bytes[p + 2]) + " " + std::to_string(bytes[p + 1]) + " " +
               std::to_string(bytes[p]);
    }
};

int close(unsigned long id) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = id;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, id, False, NoEventMask, &e);
    XCloseDisplay(d);  // flushes the event
    return 0;
}

int braille(const std::string& path, const std::string& cells) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return 1;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    const int display = socket(AF_UNIX, SOCK_STREAM, 0);
    // BRLTTY makes its socket once it has started; the limit only guards a hang.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (connect(display, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (std::chrono::steady_clock::now() > limit) return 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const std::string hello = "cells " + cells + "\n";
    if (write(display, hello.data(), hello.size()) < 0) return 1;
    std::string from_brltty;
    pollfd watched[2] = {{display, POLLIN, 0}, {0, POLLIN, 0}};
    char buffer[4096];
    for (;;) {
        if (poll(watched, 2, -1) < 0) continue;
        if (watched[0].revents) {
            const ssize_t got = read(display, buffer, sizeof buffer);
            if (got <= 0) return 0;
            const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                std::chrono::system_clock::now().time_since_epoch());
            from_brltty.append(buffer, static_cast<size_t>(got));
            for (size_t end; (end = from_brltty.find('\n')) != std::string::npos;
                 from_brltty.erase(0, end + 1))
                std::cout << now.count() << " " << from_brltty.substr(0, end) << std::endl;
        }
        if (watched[1].revents) {
            const ssize_t got = read(0, buffer, sizeof buffer);
            if (got <= 0) {
                watched[1].fd = -1;  // the keys have ended; the display goes on
            } else if (write(display, buffer, static_cast<size_t>(got)) < 0) {
                return 1;
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> a(argv + 1, argv + argc);
    Picture p;
    if (a.size() == 4 && a[0] == "pixel" && p.load(a[1])) {
        const std::string colour = p.at(std::stol(a[2]), std::stol(a[3]));
        std::cout << colour << "\n";
        return colour.empty();
    }
    if (a.size() == 9 && a[0] == "count" && p.load(a[1])) {
        const std::string colour = a[6] + " " + a[7] + " " + a[8];
        int n = 0;
        for (long y = std::stol(a[3]); y <= std::stol(a[5]); ++y)
            for (long x = std::stol(a[2]); x <= std::stol(a[4]); ++x) n += p.at(x, y) == colour;
        std::cout << n << "\n";
        return 0;
    }
    if (a.size() == 2 && a[0] == "close") return close(std::stoul(a[1], nullptr, 0));
    if (a.size() == 3 && a[0] == "braille") return braille(a[1], a[2]);
    std::cerr << "usage: desktop_probe pixel|count|close|braille ...\n";
    return 2;
}
