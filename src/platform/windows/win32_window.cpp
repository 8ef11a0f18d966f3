#include "platform/windows/win32_window.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/windows/wide.h"

namespace velloxa {

namespace {

constexpr wchar_t kClassName[] = L"VelloxaWindow";
constexpr COLORREF kBackground = RGB(48, 48, 48);  // dark grey around the board
// The caption: white on black (21:1), a quarter of the window's height under
// the board, so a window of 640 by 640 keeps the board of 480 by 480.
constexpr COLORREF kCaptionInk = RGB(255, 255, 255);
constexpr COLORREF kCaptionPaper = RGB(0, 0, 0);
constexpr double kCaptionShare = 0.25;
// Three lines fill the strip; longer texts get smaller letters, down to this.
constexpr int kCaptionLines = 3;
constexpr int kSmallestCaptionPoints = 9;

int caption_height(int window_height) {
    return static_cast<int>(std::lround(window_height * kCaptionShare));
}

COLORREF colorref(Rgb c) {
    return RGB(static_cast<BYTE>(c.r), static_cast<BYTE>(c.g), static_cast<BYTE>(c.b));
}

// Corners are inclusive, as the board's rectangles are given.
RECT box(int left, int top, int right, int bottom) {
    return RECT{left, top, right + 1, bottom + 1};
}

void paint(HDC target, const RECT& area, COLORREF colour, bool filled) {
    const HBRUSH brush = CreateSolidBrush(colour);
    if (filled) {
        FillRect(target, &area, brush);
    } else {
        FrameRect(target, &area, brush);
    }
    DeleteObject(brush);
}

int modifier_state() {
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
           (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

}  // namespace

Win32Window::~Win32Window() {
    for (auto& [size, f] : fonts_) DeleteObject(f);
    if (frame_dc_) {
        SelectObject(frame_dc_, first_bitmap_);
        DeleteDC(frame_dc_);
    }
    if (frame_) DeleteObject(frame_);
    if (window_) DestroyWindow(window_);
}

bool Win32Window::open(std::string& error) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.style = CS_HREDRAW | CS_VREDRAW;
    type.lpfnWndProc = &Win32Window::procedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    type.lpszClassName = kClassName;
    if (!RegisterClassExW(&type)) {
        error = system_error_text(GetLastError());
        return false;
    }
    // 640 by 640 inside, as the Linux window opens.
    RECT outer{0, 0, 640, 640};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
    window_ = CreateWindowExW(0, kClassName, widen(title_).c_str(), WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                              outer.bottom - outer.top, nullptr, nullptr, instance, this);
    if (!window_) {
        error = system_error_text(GetLastError());
        return false;
    }
    size_for_dpi();
    if (const wchar_t* path = _wgetenv(L"VELLOXA_SCREENSHOT")) screenshot_ = path;
    return true;
}

// The window's DPI, and the inner size for it: 640 by 640 at 96 DPI (the
// board above the caption strip), so at
// 200 % the board is as large to the eye as at 100 %. The calls exist from
// Windows 10 on, and are looked up so that older systems still start.
void Win32Window::size_for_dpi() {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    using DpiForWindow = UINT(WINAPI*)(HWND);
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    const auto dpi_for_window = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetDpiForWindow")));
    const auto adjust_for_dpi = reinterpret_cast<AdjustForDpi>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "AdjustWindowRectExForDpi")));
    const UINT dpi = dpi_for_window ? dpi_for_window(window_) : 96;
    if (dpi == 0) return;
    RECT outer{0, 0, MulDiv(640, static_cast<int>(dpi), 96),
               MulDiv(640, static_cast<int>(dpi), 96)};
    if (adjust_for_dpi)
        adjust_for_dpi(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0, dpi);
    else
        AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    trace_line(trace_, "dpi " + std::to_string(dpi));
}

void Win32Window::start(EventSink& sink) {
    sink_ = &sink;
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    SetFocus(window_);
    sink_->on_paint();
}

void Win32Window::run() {
    for (;;) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) quit(0, "closed");
        DispatchMessageW(&message);
    }
}

LRESULT CALLBACK Win32Window::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(l);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && self->window_ == window) return self->handle(message, w, l);
    return DefWindowProcW(window, message, w, l);
}

LRESULT Win32Window::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_CLOSE:
            quit(0, "closed");
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            const int code = static_cast<int>(w);
            const int state = modifier_state();
            // Alt+F4 stays the system's way to close the window.
            if (message == WM_SYSKEYDOWN && code == VK_F4) break;
            trace_line(trace_, "key " + std::to_string(code) + " " + std::to_string(state));
            // Nothing reaches the game before its start-up has finished.
            if (sink_) sink_->on_key(code, state);
            return 0;
        }
        case WM_SYSKEYUP:
        case WM_SYSCHAR:
            // Alt alone would otherwise open the (absent) window menu.
            if (w != VK_F4) return 0;
            break;
        case WM_SIZE:
            if (sink_ && w != SIZE_MINIMIZED) sink_->on_paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the picture covers it
        case WM_DPICHANGED: {
            // Moved to a monitor of another scale: the size Windows proposes
            // keeps the board as large to the eye; WM_SIZE then redraws it.
            const RECT* proposed = reinterpret_cast<const RECT*>(l);
            trace_line(trace_, "dpi " + std::to_string(HIWORD(w)));
            SetWindowPos(window_, nullptr, proposed->left, proposed->top,
                         proposed->right - proposed->left, proposed->bottom - proposed->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // Log-off or shutdown: the pending save is finished, then
            // Windows ends the program.
            if (w) quit(0, "session end");
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC target = BeginPaint(window_, &paint);
            present(target);
            EndPaint(window_, &paint);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(window_, message, w, l);
}

bool Win32Window::dispatch_one() {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) quit(0, "closed");
    DispatchMessageW(&message);
    return true;
}

void Win32Window::wait_started(int64_t interval_ms) {
    trace_line(trace_, "hold " + std::to_string(interval_ms));
}

void Win32Window::process_until(int64_t deadline_ms) {
    const int64_t left = deadline_ms - now_ms();
    if (left <= 0) return;
    if (dispatch_one()) return;
    // Sleeps until a message or the deadline: a wait costs no processor time.
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<int64_t>(left, INT_MAX)),
                                QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    dispatch_one();
}

void Win32Window::yield() {
    while (dispatch_one()) {
    }
}

void Win32Window::set_title(const std::string& text) {
    title_ = text;
    trace_line(trace_, "title " + text);
    SetWindowTextW(window_, widen(text).c_str());
}

// The board's area: the window above the caption strip.
std::pair<int, int> Win32Window::inner_size() {
    RECT inner{};
    GetClientRect(window_, &inner);
    const int h = inner.bottom - inner.top;
    return {inner.right - inner.left, h - caption_height(h)};
}

void Win32Window::begin_board(const BoardPicture& picture) {
    // Traced once the picture is saved, so a reader of the trace finds it whole.
    drawn_ = draw_line(picture);
    drawing_ = true;
    RECT inner{};
    GetClientRect(window_, &inner);
    const int w = inner.right - inner.left, h = inner.bottom - inner.top;
    if (!frame_dc_ || w != frame_w_ || h != frame_h_) {
        const HDC screen = GetDC(window_);
        if (!frame_dc_) {
            frame_dc_ = CreateCompatibleDC(screen);
            SetBkMode(frame_dc_, TRANSPARENT);
        }
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, std::max(w, 1), std::max(h, 1));
        ReleaseDC(window_, screen);
        const HGDIOBJ previous = SelectObject(frame_dc_, bitmap);
        if (!first_bitmap_) first_bitmap_ = previous;
        if (frame_) DeleteObject(frame_);
        frame_ = bitmap;
        frame_w_ = w;
        frame_h_ = h;
    }
    paint(frame_dc_, RECT{0, 0, frame_w_, frame_h_}, kBackground, true);
}

void Win32Window::fill_rect(int left, int top, int right, int bottom, Rgb colour) {
    if (frame_dc_ && right >= left && bottom >= top)
        paint(frame_dc_, box(left, top, right, bottom), colorref(colour), true);
}

void Win32Window::outline_rect(int left, int top, int right, int bottom, Rgb colour) {
    if (frame_dc_ && right >= left && bottom >= top)
        paint(frame_dc_, box(left, top, right, bottom), colorref(colour), false);
}

HFONT Win32Window::font(int points) {
    auto found = fonts_.find(points);
    if (found != fonts_.end()) return found->second;
    // Points at 96 dots per inch, as the board's sizes were meant.
    const HFONT f = CreateFontW(-MulDiv(points, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    fonts_.emplace(points, f);
    return f;
}

void Win32Window::text(int x, int y, double points, Rgb colour, const std::string& text) {
    if (!frame_dc_ || text.empty() || !std::isfinite(points)) return;
    // Sizes below one point are drawn at one point; huge ones are held too.
    const int size = static_cast<int>(std::lround(std::clamp(points, 1.0, 1000.0)));
    const HFONT f = font(size);
    if (!f) return;
    const HGDIOBJ previous = SelectObject(frame_dc_, f);
    SetTextColor(frame_dc_, colorref(colour));
    const std::wstring wide = widen(text);
    TextOutW(frame_dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
    SelectObject(frame_dc_, previous);
}

void Win32Window::end_board() {
    drawing_ = false;
    draw_caption();
    show_picture();
    trace_line(trace_, drawn_);
}

void Win32Window::set_caption(const std::string& text) {
    caption_ = text;
    // Inside a board drawing the caption comes with the finished picture.
    if (!drawing_) {
        draw_caption();
        show_picture();
    }
    trace_line(trace_, "caption " + text);
}

void Win32Window::show_picture() {
    if (!frame_dc_) return;
    if (!screenshot_.empty()) screenshot();
    const HDC target = GetDC(window_);
    present(target);
    ReleaseDC(window_, target);
}

void Win32Window::draw_caption() {
    if (!frame_dc_) return;
    const int strip = caption_height(frame_h_);
    paint(frame_dc_, RECT{0, frame_h_ - strip, frame_w_, frame_h_}, kCaptionPaper, true);
    if (caption_.empty()) return;
    const int margin = std::max(strip / 16, 2);
    RECT room{margin, frame_h_ - strip + margin, frame_w_ - margin, frame_h_ - margin};
    if (room.right <= room.left || room.bottom <= room.top) return;
    const std::wstring wide = widen(caption_);
    const UINT layout = DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;
    // The largest letters with which the whole text fits, from three lines'
    // worth down; below the smallest, the lines that fit are shown.
    const int room_h = room.bottom - room.top;
    HFONT chosen = nullptr;
    RECT needed = room;
    for (int points = std::max(room_h * 72 / (96 * kCaptionLines) * 5 / 6, kSmallestCaptionPoints);
         points >= kSmallestCaptionPoints; points = std::min(points - 1, points * 9 / 10)) {
        chosen = font(points);
        if (!chosen) return;
        const HGDIOBJ previous = SelectObject(frame_dc_, chosen);
        needed = room;
        DrawTextW(frame_dc_, wide.c_str(), static_cast<int>(wide.size()), &needed,
                  layout | DT_CALCRECT);
        SelectObject(frame_dc_, previous);
        if (needed.bottom - needed.top <= room_h) break;
    }
    const int used = std::min(static_cast<int>(needed.bottom - needed.top), room_h);
    RECT place = room;
    place.top += (room_h - used) / 2;
    const HGDIOBJ previous = SelectObject(frame_dc_, chosen);
    SetTextColor(frame_dc_, kCaptionInk);
    const HRGN clip = CreateRectRgnIndirect(&room);
    SelectClipRgn(frame_dc_, clip);
    DrawTextW(frame_dc_, wide.c_str(), static_cast<int>(wide.size()), &place, layout);
    SelectClipRgn(frame_dc_, nullptr);
    DeleteObject(clip);
    SelectObject(frame_dc_, previous);
}

void Win32Window::present(HDC target) {
    // The picture holds the caption strip too: the whole client area.
    RECT client{};
    GetClientRect(window_, &client);
    const int w = client.right - client.left, h = client.bottom - client.top;
    if (frame_dc_) BitBlt(target, 0, 0, frame_w_, frame_h_, frame_dc_, 0, 0, SRCCOPY);
    // Whatever the picture does not cover (a grown window before its redraw).
    paint(target, RECT{frame_dc_ ? frame_w_ : 0, 0, w, h}, kBackground, true);
    paint(target, RECT{0, frame_dc_ ? frame_h_ : 0, w, h}, kBackground, true);
}

void Win32Window::screenshot() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = frame_w_;
    info.bmiHeader.biHeight = frame_h_;  // bottom-up rows, as BMP files hold them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const size_t row = (static_cast<size_t>(frame_w_) * 3 + 3) & ~size_t{3};
    std::vector<char> pixels(row * static_cast<size_t>(frame_h_));
    if (!GetDIBits(frame_dc_, frame_, 0, static_cast<UINT>(frame_h_), pixels.data(), &info,
                   DIB_RGB_COLORS))
        return;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    info.bmiHeader.biSizeImage = static_cast<DWORD>(pixels.size());
    // Written beside and renamed, so a reader never sees half a picture.
    const std::wstring partial = screenshot_ + L".part";
    std::FILE* out = _wfopen(partial.c_str(), L"wb");
    if (!out) return;
    const bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                    std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
    if (std::fclose(out) == 0 && ok)
        MoveFileExW(partial.c_str(), screenshot_.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void Win32Window::show(const std::string& text) {
    trace_line(trace_, "msgbox " + text);
    MessageBoxW(sink_ ? window_ : nullptr, widen(text).c_str(), L"Velloxa", MB_OK);
}

void Win32Window::inject(int code, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(code);
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    trace_line(trace_, std::string(up ? "release " : "press ") + std::to_string(code));
    SendInput(1, &input, sizeof input);
}

void Win32Window::press(int code) {
    inject(code, false);
}

void Win32Window::release(int code) {
    inject(code, true);
}

void Win32Window::end() {
    // An end during start-up is the failed sound device: not a clean exit.
    quit(sink_ ? 0 : 1, "ended");
}

void Win32Window::quit(int code, const char* why) {
    if (before_end_) before_end_();
    trace_line(trace_, std::string("exit ") + why);
    std::fflush(nullptr);
    ExitProcess(static_cast<UINT>(code));
}

}  // namespace velloxa
