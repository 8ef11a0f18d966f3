// Helper of the desktop checks: reads the window's picture and closes a
// window the way a window manager does.
//   desktop_probe pixel PICTURE.bmp X Y        -> "R G B"
//   desktop_probe count PICTURE.bmp X0 Y0 X1 Y1 R G B
//                                              -> pixels of that colour in the box
//   desktop_probe close WINDOW_ID              -> sends WM_DELETE_WINDOW
#include <X11/Xlib.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
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
    std::cerr << "usage: desktop_probe pixel|count|close ...\n";
    return 2;
}
