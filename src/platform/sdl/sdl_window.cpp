#include "platform/sdl/sdl_window.h"

#include <SDL_syswm.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/sdl/keymap.h"

#ifndef VELLOXA_FONT
#define VELLOXA_FONT "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
#endif

namespace velloxa {

namespace {

constexpr SDL_Color kBackground{48, 48, 48, 255};  // dark grey around the board
// The caption: white on black (21:1), a quarter of the window's height under
// the board, so a window of 640 by 640 keeps the board of 480 by 480.
constexpr SDL_Color kCaptionInk{255, 255, 255, 255};
constexpr SDL_Color kCaptionPaper{0, 0, 0, 255};
constexpr double kCaptionShare = 0.25;
constexpr int kWindowWidth = 640, kWindowHeight = 640;
// Three lines fill the strip; longer texts get smaller letters, down to this.
constexpr int kCaptionLines = 3;
constexpr int kSmallestCaptionPoints = 9;

SDL_Rect box(int left, int top, int right, int bottom) {
    // Corners are inclusive, as the board's rectangles are given.
    return SDL_Rect{left, top, right - left + 1, bottom - top + 1};
}

}  // namespace

SdlWindow::~SdlWindow() {
    for (auto& [texture, place] : caption_lines_) SDL_DestroyTexture(texture);
    for (auto& [size, f] : fonts_) TTF_CloseFont(f);
    if (ttf_) TTF_Quit();
    if (frame_) SDL_DestroyTexture(frame_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlWindow::open(std::string& error) {
    // SDL falls back to an invisible off-screen "display" by itself; a player
    // needs a real one unless a driver was asked for by name.
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    const bool chosen = asked && *asked;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!chosen && !(x11 && *x11) && !(wayland && *wayland)) {
        error = "no display: DISPLAY and WAYLAND_DISPLAY are not set";
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return false;
    }
    const std::string driver = SDL_GetCurrentVideoDriver();
    if (!chosen && (driver == "offscreen" || driver == "dummy")) {
        error = "no display could be opened";
        return false;
    }
    window_ =
        SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         kWindowWidth, kWindowHeight, SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
    if (!window_) {
        error = SDL_GetError();
        return false;
    }
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_TARGETTEXTURE);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
        error = SDL_GetError();
        return false;
    }
    ttf_ = TTF_Init() == 0;
    // Keys are wanted as keys, not as composed text.
    SDL_StopTextInput();
    if (const char* path = std::getenv("VELLOXA_SCREENSHOT")) screenshot_ = path;
    return true;
}

void SdlWindow::start(EventSink& sink) {
    sink_ = &sink;
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    sink_->on_paint();
}

void SdlWindow::run() {
    for (;;) {
        SDL_Event event;
        if (SDL_WaitEvent(&event)) handle(event);
    }
}

void SdlWindow::handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            quit(0, "closed");
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    quit(0, "closed");
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    if (sink_) sink_->on_paint();
                    break;
                default:
                    break;
            }
            break;
        case SDL_KEYDOWN: {
            const int code = virtual_key(event.key.keysym.sym, event.key.keysym.scancode);
            if (code == 0) break;
            const int state = modifier_state(event.key.keysym.mod, code);
            trace_line(trace_, "key " + std::to_string(code) + " " + std::to_string(state));
            // Nothing reaches the game before its start-up has finished.
            if (sink_) sink_->on_key(code, state);
            break;
        }
        default:
            break;
    }
}

void SdlWindow::wait_started(int64_t interval_ms) {
    trace_line(trace_, "hold " + std::to_string(interval_ms));
}

void SdlWindow::process_until(int64_t deadline_ms) {
    const int64_t left = deadline_ms - now_ms();
    if (left <= 0) return;
    // Sleeps until an event or the deadline: a wait costs no processor time.
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, static_cast<int>(std::min<int64_t>(left, INT_MAX))))
        handle(event);
}

void SdlWindow::yield() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) handle(event);
}

void SdlWindow::set_title(const std::string& text) {
    title_ = text;
    trace_line(trace_, "title " + text);
    SDL_SetWindowTitle(window_, text.c_str());
}

// The board's area: the window above the caption strip.
std::pair<int, int> SdlWindow::inner_size() {
    // While drawing, the renderer reports the size of the board's texture.
    if (drawing_) return {frame_w_, frame_h_};
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer_, &w, &h);
    return {w, h - caption_height(h)};
}

int SdlWindow::caption_height(int window_height) const {
    return static_cast<int>(std::lround(window_height * kCaptionShare));
}

void SdlWindow::begin_board(const BoardPicture& picture) {
    drawn_ = draw_line(picture);
    const auto [w, h] = inner_size();
    if (!frame_ || w != frame_w_ || h != frame_h_) {
        if (frame_) SDL_DestroyTexture(frame_);
        frame_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                   std::max(w, 1), std::max(h, 1));
        frame_w_ = w;
        frame_h_ = h;
    }
    drawing_ = frame_ && SDL_SetRenderTarget(renderer_, frame_) == 0;
    SDL_SetRenderDrawColor(renderer_, kBackground.r, kBackground.g, kBackground.b, 255);
    SDL_RenderClear(renderer_);
}

void SdlWindow::fill_rect(int left, int top, int right, int bottom, Rgb c) {
    if (right < left || bottom < top) return;
    const SDL_Rect r = box(left, top, right, bottom);
    SDL_SetRenderDrawColor(renderer_, static_cast<Uint8>(c.r), static_cast<Uint8>(c.g),
                           static_cast<Uint8>(c.b), 255);
    SDL_RenderFillRect(renderer_, &r);
}

void SdlWindow::outline_rect(int left, int top, int right, int bottom, Rgb c) {
    if (right < left || bottom < top) return;
    const SDL_Rect r = box(left, top, right, bottom);
    SDL_SetRenderDrawColor(renderer_, static_cast<Uint8>(c.r), static_cast<Uint8>(c.g),
                           static_cast<Uint8>(c.b), 255);
    SDL_RenderDrawRect(renderer_, &r);
}

TTF_Font* SdlWindow::font(int points) {
    if (!ttf_ || font_missing_) return nullptr;
    auto found = fonts_.find(points);
    if (found != fonts_.end()) return found->second;
    // Points at 96 dots per inch, as the board's sizes were meant.
    TTF_Font* f = TTF_OpenFontDPI(VELLOXA_FONT, points, 96, 96);
    if (!f) {
        std::cerr << "velloxa: cannot load the font " VELLOXA_FONT ": " << TTF_GetError()
                  << "; the board is drawn without texts\n";
        font_missing_ = true;
        return nullptr;
    }
    fonts_.emplace(points, f);
    return f;
}

void SdlWindow::text(int x, int y, double points, Rgb c, const std::string& text) {
    if (text.empty() || !std::isfinite(points)) return;
    // Sizes below one point are drawn at one point; huge ones are held too.
    const int size = static_cast<int>(std::lround(std::clamp(points, 1.0, 1000.0)));
    TTF_Font* f = font(size);
    if (!f) return;
    const SDL_Color colour{static_cast<Uint8>(c.r), static_cast<Uint8>(c.g),
                           static_cast<Uint8>(c.b), 255};
    SDL_Surface* surface = TTF_RenderUTF8_Blended(f, text.c_str(), colour);
    if (!surface) return;
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, surface);
    if (texture) {
        const SDL_Rect to{x, y, surface->w, surface->h};
        SDL_RenderCopy(renderer_, texture, nullptr, &to);
        SDL_DestroyTexture(texture);
    }
    SDL_FreeSurface(surface);
}

void SdlWindow::end_board() {
    SDL_SetRenderTarget(renderer_, nullptr);
    drawing_ = false;
    present();
    // Told once the picture is saved, so a reader of the trace finds it.
    trace_line(trace_, drawn_);
}

void SdlWindow::set_caption(const std::string& text) {
    // A text said again keeps its laid-out lines.
    if (text != caption_) caption_stale_ = true;
    caption_ = text;
    // Inside a board drawing the caption comes with the finished picture.
    if (!drawing_ && sink_) present();
    trace_line(trace_, "caption " + text);
}

std::optional<uint32_t> SdlWindow::x11_window() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window_ || !SDL_GetWindowWMInfo(window_, &info) || info.subsystem != SDL_SYSWM_X11)
        return std::nullopt;
    return static_cast<uint32_t>(info.info.x11.window);
}

void SdlWindow::present() {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer_, &w, &h);
    SDL_SetRenderDrawColor(renderer_, kBackground.r, kBackground.g, kBackground.b, 255);
    SDL_RenderClear(renderer_);
    if (frame_) {
        const SDL_Rect board{0, 0, frame_w_, frame_h_};
        SDL_RenderCopy(renderer_, frame_, nullptr, &board);
    }
    draw_caption(w, h);
    if (!screenshot_.empty()) screenshot();
    SDL_RenderPresent(renderer_);
}

void SdlWindow::draw_caption(int width, int height) {
    const int strip = caption_height(height);
    const SDL_Rect paper{0, height - strip, width, strip};
    SDL_SetRenderDrawColor(renderer_, kCaptionPaper.r, kCaptionPaper.g, kCaptionPaper.b, 255);
    SDL_RenderFillRect(renderer_, &paper);
    if (caption_stale_ || width != caption_w_ || height != caption_h_) {
        lay_out_caption(width, strip);
        caption_w_ = width;
        caption_h_ = height;
        caption_stale_ = false;
    }
    for (const auto& [texture, place] : caption_lines_) {
        SDL_Rect to = place;
        to.y += height - strip;
        SDL_RenderCopy(renderer_, texture, nullptr, &to);
    }
}

namespace {

// The words of `text` in lines no wider than `width` in `f`; the blanks
// between words are kept, those at a break dropped. A word wider than a line
// stands alone on its line.
std::vector<std::string> wrap(TTF_Font* f, const std::string& text, int width) {
    std::vector<std::string> lines;
    std::string line;
    size_t at = 0;
    while (at < text.size()) {
        const size_t word_start = text.find_first_not_of(' ', at);
        if (word_start == std::string::npos) break;
        size_t word_end = text.find(' ', word_start);
        if (word_end == std::string::npos) word_end = text.size();
        const std::string gap = line.empty() ? "" : text.substr(at, word_start - at);
        const std::string longer = line + gap + text.substr(word_start, word_end - word_start);
        int w = 0;
        TTF_SizeUTF8(f, longer.c_str(), &w, nullptr);
        if (w <= width || line.empty()) {
            line = longer;
        } else {
            lines.push_back(line);
            line = text.substr(word_start, word_end - word_start);
        }
        at = word_end;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

void SdlWindow::lay_out_caption(int width, int strip) {
    for (auto& [texture, place] : caption_lines_) SDL_DestroyTexture(texture);
    caption_lines_.clear();
    if (caption_.empty()) return;
    const int margin = std::max(strip / 16, 2);
    const int room_w = width - 2 * margin, room_h = strip - 2 * margin;
    if (room_w < 1 || room_h < 1) return;
    // The largest letters with which the whole text fits, from three lines'
    // worth down; below the smallest, the lines that fit are shown.
    TTF_Font* chosen = nullptr;
    std::vector<std::string> lines;
    for (int points = std::max(room_h * 72 / (96 * kCaptionLines) * 5 / 6, kSmallestCaptionPoints);
         points >= kSmallestCaptionPoints; points = std::min(points - 1, points * 9 / 10)) {
        chosen = font(points);
        if (!chosen) return;
        lines = wrap(chosen, caption_, room_w);
        if (static_cast<int>(lines.size()) * TTF_FontLineSkip(chosen) <= room_h) break;
    }
    const int skip = TTF_FontLineSkip(chosen);
    const int used = std::min(static_cast<int>(lines.size()), std::max(room_h / skip, 1));
    int y = margin + (room_h - used * skip) / 2;
    for (int i = 0; i < used; ++i, y += skip) {
        SDL_Surface* surface =
            TTF_RenderUTF8_Blended(chosen, lines[static_cast<size_t>(i)].c_str(), kCaptionInk);
        if (!surface) continue;
        SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, surface);
        if (texture)
            caption_lines_.push_back({texture, SDL_Rect{margin, y, surface->w, surface->h}});
        SDL_FreeSurface(surface);
    }
}

void SdlWindow::screenshot() {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer_, &w, &h);
    SDL_Surface* shot = SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_BGR24);
    if (!shot) return;
    // Written beside and renamed, so a reader never sees half a picture.
    const std::string partial = screenshot_ + ".part";
    if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_BGR24, shot->pixels,
                             shot->pitch) == 0 &&
        SDL_SaveBMP(shot, partial.c_str()) == 0)
        std::rename(partial.c_str(), screenshot_.c_str());
    SDL_FreeSurface(shot);
}

void SdlWindow::show(const std::string& text) {
    trace_line(trace_, "msgbox " + text);
    SDL_Window* parent = sink_ ? window_ : nullptr;
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "Velloxa", text.c_str(), parent) != 0)
        std::cerr << "velloxa: " << text << "\n";
}

void SdlWindow::end() {
    // An end during start-up is the failed sound device: not a clean exit.
    quit(sink_ ? 0 : 1, "ended");
}

void SdlWindow::quit(int code, const char* why) {
    trace_line(trace_, std::string("exit ") + why);
    if (before_end_) before_end_();
    audio_.close();
    std::fflush(nullptr);
    SDL_Quit();
    std::_Exit(code);
}

}  // namespace velloxa
