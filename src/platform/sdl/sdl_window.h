// The desktop window: keys, repaints, the title, the board drawing, the
// message box, and the waits that keep handling window events.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "io/platform.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/trace.h"

namespace velloxa {

class SdlWindow : public Clock,
                  public WindowTitle,
                  public Canvas,
                  public MessageBox,
                  public ProcessEnd {
  public:
    // `audio` is closed before the program ends, so that whatever it still
    // holds is written out.
    SdlWindow(SdlAudio& audio, Trace* trace) : audio_(audio), trace_(trace) {}
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    // Creates the window (hidden) and its renderer; false with `error` set
    // when there is no display.
    bool open(std::string& error);
    // Keys and repaints go to `sink` from now on; the window is shown.
    void start(EventSink& sink);
    // The top-level event loop; ends the program when the window closes.
    [[noreturn]] void run();
    // Runs just before the program ends, however it ends (to finish saves).
    void set_before_end(std::function<void()> f) { before_end_ = std::move(f); }

    // Clock
    int64_t now_ms() override { return static_cast<int64_t>(SDL_GetTicks64()); }
    void wait_started(int64_t interval_ms) override;
    void process_until(int64_t deadline_ms) override;
    void yield() override;
    // WindowTitle
    std::string title() override { return title_; }
    void set_title(const std::string& text) override;
    // Desktop screen readers here do not announce an SDL window's title.
    bool title_is_read() const override { return false; }
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
    // The X11 window, for braille focus tracking; none under other drivers.
    std::optional<uint32_t> x11_window();
    // MessageBox
    void show(const std::string& text) override;
    // ProcessEnd: at once, also from inside a wait.
    [[noreturn]] void end() override;

  private:
    void handle(const SDL_Event& event);
    [[noreturn]] void quit(int code, const char* why);
    TTF_Font* font(int points);
    int caption_height(int window_height) const;
    void present();
    void draw_caption(int width, int height);
    void lay_out_caption(int width, int strip);
    void screenshot();

    SdlAudio& audio_;
    Trace* trace_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* frame_ = nullptr;  // the board picture, kept for repaints
    int frame_w_ = 0, frame_h_ = 0;
    bool drawing_ = false;
    std::string caption_;
    // The caption's lines, laid out for a window of caption_w_ by caption_h_.
    std::vector<std::pair<SDL_Texture*, SDL_Rect>> caption_lines_;
    int caption_w_ = 0, caption_h_ = 0;
    bool caption_stale_ = true;
    std::string drawn_;  // the trace's draw line, written when the picture is done
    bool ttf_ = false;
    bool font_missing_ = false;
    std::map<int, TTF_Font*> fonts_;
    std::string title_ = "Velloxa";
    EventSink* sink_ = nullptr;
    std::string screenshot_;  // VELLOXA_SCREENSHOT: a BMP of every picture
    std::function<void()> before_end_;
};

}  // namespace velloxa
