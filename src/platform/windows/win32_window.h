// The Windows window: keys, repaints, the title, the board drawn with GDI,
// the message box, the injected key chord, and the waits that keep
// handling window messages.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "io/platform.h"
#include "platform/windows/trace.h"
#include "platform/windows/win32.h"

namespace velloxa {

class Win32Window : public Clock,
                    public WindowTitle,
                    public Canvas,
                    public MessageBox,
                    public KeyInjector,
                    public ProcessEnd {
  public:
    explicit Win32Window(WinTrace* trace) : trace_(trace) {}
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // Creates the window, hidden until start(); false with `error` set.
    bool open(std::string& error);
    HWND handle() const { return window_; }
    // Keys and repaints go to `sink` from now on; the window is shown.
    void start(EventSink& sink);
    // The top-level message loop; ends the program when the window closes.
    [[noreturn]] void run();

    // Clock
    int64_t now_ms() override { return static_cast<int64_t>(GetTickCount64()); }
    void wait_started(int64_t interval_ms) override;
    void process_until(int64_t deadline_ms) override;
    void yield() override;
    // WindowTitle
    std::string title() override { return title_; }
    void set_title(const std::string& text) override;
    // Canvas
    std::pair<int, int> inner_size() override;
    void begin_board(const BoardPicture& picture) override;
    void fill_rect(int left, int top, int right, int bottom, Rgb colour) override;
    void outline_rect(int left, int top, int right, int bottom, Rgb colour) override;
    void text(int x, int y, double points, Rgb colour, const std::string& text) override;
    void end_board() override;
    // The caption under the board: the text the game last said, the empty
    // text clearing it.
    void set_caption(const std::string& text);
    // MessageBox
    void show(const std::string& text) override;
    // KeyInjector: keys sent into the system input, as a keyboard would.
    void press(int code) override;
    void release(int code) override;
    // ProcessEnd: at once, also from inside a wait.
    [[noreturn]] void end() override;

    // Run before the program ends itself (the pending saves are finished).
    void set_before_end(std::function<void()> step) { before_end_ = std::move(step); }

  private:
    void size_for_dpi();
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    bool dispatch_one();  // false when no message was waiting
    void present(HDC target);
    void show_picture();
    void draw_caption();
    HFONT font(int points);
    void screenshot();
    void inject(int code, bool up);
    [[noreturn]] void quit(int code, const char* why);

    WinTrace* trace_;
    HWND window_ = nullptr;
    HDC frame_dc_ = nullptr;  // the window's picture (board and caption), kept for repaints
    HBITMAP frame_ = nullptr;
    HGDIOBJ first_bitmap_ = nullptr;
    int frame_w_ = 0, frame_h_ = 0;
    bool drawing_ = false;
    std::string caption_;
    std::string drawn_;  // the trace line of the board being drawn
    std::map<int, HFONT> fonts_;
    std::string title_ = "Velloxa";
    EventSink* sink_ = nullptr;
    std::wstring screenshot_;  // VELLOXA_SCREENSHOT: a BMP of every picture
    std::function<void()> before_end_;
};

}  // namespace velloxa
