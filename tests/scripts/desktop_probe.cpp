// Helper of the desktop checks: reads the window's picture and the audio the
// program wrote, and closes a window the way a window manager does.
//   desktop_probe pixel PICTURE.bmp X Y          -> "R G B"
//   desktop_probe count PICTURE.bmp X0 Y0 X1 Y1 R G B
//                                                -> pixels of that colour in the box
//   desktop_probe audio AUDIO.raw [FROM_BYTE]    -> counts of 10 ms blocks of
//       44.1 kHz 16-bit stereo: "left N right N centre N quiet N"
//   desktop_probe close WINDOW_ID                -> sends WM_DELETE_WINDOW
#include <X11/Xlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> bytes;
    size_t offset = 0, row = 0;
    bool bottomup = true;
    bool load(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
        auto u32 = [&](size_t at) {
            return static_cast<uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                         bytes[at + 3] << 24);
        };
        offset = u32(10);
        width = static_cast<int32_t>(u32(18));
        const int32_t h = static_cast<int32_t>(u32(22));
        bottomup = h > 0;
        height = std::abs(h);
        const int bits = bytes[28] | bytes[29] << 8;
        if (bits != 24) return false;
        row = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
        return bytes.size() >= offset + row * static_cast<size_t>(height);
    }
    bool at(int x, int y, int& r, int& g, int& b) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return false;
        const size_t line = static_cast<size_t>(bottomup ? height - 1 - y : y);
        const size_t p = offset + line * row + static_cast<size_t>(x) * 3;
        b = bytes[p], g = bytes[p + 1], r = bytes[p + 2];
        return true;
    }
};

int audio(const std::string& path, long from) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(from);
    std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t frames = raw.size() / 4;
    const size_t block = 441;
    int left = 0, right = 0, centre = 0, quiet = 0;
    for (size_t start = 0; start + block <= frames; start += block) {
        double l = 0, r = 0;
        for (size_t i = start; i < start + block; ++i) {
            int16_t s[2];
            std::copy_n(raw.data() + i * 4, 4, reinterpret_cast<char*>(s));
            l += double(s[0]) * s[0];
            r += double(s[1]) * s[1];
        }
        const double lr = std::sqrt(l / block), rr = std::sqrt(r / block);
        if (lr < 30 && rr < 30) {
            ++quiet;
        } else if (lr > 4 * rr) {
            ++left;
        } else if (rr > 4 * lr) {
            ++right;
        } else {
            ++centre;
        }
    }
    std::cout << "left " << left << " right " << right << " centre " << centre << " quiet " << quiet
              << "\n";
    return 0;
}

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
    XFlush(d);
    XCloseDisplay(d);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> a(argv + 1, argv + argc);
    if (a.size() == 4 && a[0] == "pixel") {
        Picture p;
        int r, g, b;
        if (!p.load(a[1]) || !p.at(std::stoi(a[2]), std::stoi(a[3]), r, g, b)) return 1;
        std::cout << r << ' ' << g << ' ' << b << "\n";
        return 0;
    }
    if (a.size() == 9 && a[0] == "count") {
        Picture p;
        if (!p.load(a[1])) return 1;
        int n = 0;
        for (int y = std::stoi(a[3]); y <= std::stoi(a[5]); ++y)
            for (int x = std::stoi(a[2]); x <= std::stoi(a[4]); ++x) {
                int r, g, b;
                if (p.at(x, y, r, g, b) && r == std::stoi(a[6]) && g == std::stoi(a[7]) &&
                    b == std::stoi(a[8]))
                    ++n;
            }
        std::cout << n << "\n";
        return 0;
    }
    if ((a.size() == 2 || a.size() == 3) && a[0] == "audio")
        return audio(a[1], a.size() == 3 ? std::stol(a[2]) : 0);
    if (a.size() == 2 && a[0] == "close") return close(std::stoul(a[1], nullptr, 0));
    std::cerr << "usage: desktop_probe pixel|count|audio|close ...\n";
    return 2;
}
