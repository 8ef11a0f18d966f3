#include "platform/terminal/terminal_host.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <stdexcept>

#include "platform/posix/fdio.h"
#include "platform/posix/saves_on_exit.h"
#include "platform/terminal/raw_mode.h"

namespace velloxa {

namespace {

// Texts come from the game and the language file; a stray control byte
// must not reach the terminal as a command.
std::string printable(const std::string& text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u != 0x7f) s += c;
    }
    return s;
}

// The first `count` characters of a UTF-8 text, padded with blanks.
std::string initials(const std::string& name, int count) {
    std::string s;
    int chars = 0;
    for (char c : name) {
        const bool starts = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (starts && chars == count) break;
        if (starts) ++chars;
        s += c;
    }
    for (; chars < count; ++chars) s += ' ';
    return s;
}

bool same_picture(const BoardPicture& a, const BoardPicture& b) {
    return a.cursor_x == b.cursor_x && a.cursor_y == b.cursor_y && a.cells == b.cells;
}

// The watch thread must not call the virtual now_ms(): a derived host may
// be under construction or already gone.
int64_t monotonic_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// How long the game may be away from reading keys before the watch reads
// them instead, how often the watch looks, and how long it then leaves a
// Ctrl+C to the game before ending the program itself. Together well
// within half a second.
constexpr int64_t kAwayBeforeWatchMs = 100;
constexpr int kWatchPollMs = 50;
constexpr std::chrono::milliseconds kQuitGrace{150};

}  // namespace

std::array<std::string, 3> board_lines(const BoardPicture& picture,
                                       const std::function<std::string(int)>& names) {
    std::array<std::string, 3> lines;
    for (int y = 1; y <= 3; ++y) {
        std::string& line = lines[static_cast<size_t>(y - 1)];
        line = "|";
        for (int x = 1; x <= 3; ++x) {
            const auto [tile, owner] = picture.cells[static_cast<size_t>((x - 1) * 3 + y - 1)];
            const bool cursor = x == picture.cursor_x && y == picture.cursor_y;
            std::string content = "  -  ";
            if (tile != 0) {
                const std::string name = names ? names(tile) : std::string();
                content = initials(printable(name.empty() ? "#" + std::to_string(tile) : name), 3);
                content += owner == 1 ? " Y" : owner == 2 ? " E" : " ?";
            }
            line += (cursor ? "[" : " ") + content + (cursor ? "]" : " ") + "|";
        }
    }
    return lines;
}

TerminalHost::TerminalHost(TerminalOptions options)
    : options_(options), away_since_(monotonic_ms()), watcher_([this] { watch(); }) {}

TerminalHost::~TerminalHost() {
    {
        std::lock_guard<std::mutex> lock(watch_mutex_);
        stopping_ = true;
        watch_cv_.notify_all();
    }
    watcher_.join();
}

void TerminalHost::set_away(bool away) {
    std::lock_guard<std::mutex> lock(watch_mutex_);
    away_ = away;
    away_since_ = monotonic_ms();
    watch_cv_.notify_all();
    if (away) return;
    if (!stolen_.empty()) {
        decoder_.feed(stolen_);
        stolen_.clear();
        escape_due_ = now_ms() + options_.escape_ms;
    }
    if (stolen_end_ && !eof_) {
        eof_ = true;
        decoder_.expire();
    }
}

void TerminalHost::watch() {
    std::unique_lock<std::mutex> lock(watch_mutex_);
    while (!stopping_) {
        if (!away_ || stolen_end_) {
            watch_cv_.wait(lock);
            continue;
        }
        const int64_t due = away_since_ + kAwayBeforeWatchMs;
        if (const int64_t now = monotonic_ms(); now < due) {
            watch_cv_.wait_for(lock, std::chrono::milliseconds(due - now));
            continue;
        }
        // A fresh decoder for each stretch away: the game may have read half
        // a sequence before it left.
        KeyDecoder scan;
        bool quit = false;
        while (away_ && !stopping_ && !stolen_end_ && !quit) {
            lock.unlock();
            pollfd p{options_.in, POLLIN, 0};
            const int ready = ::poll(&p, 1, kWatchPollMs);
            lock.lock();
            if (!away_ || stopping_) break;
            if (ready > 0) steal(scan);
            if (ready == 0) scan.expire();
            while (!scan.empty()) quit = scan.pop().kind == TermKey::quit || quit;
        }
        if (!quit) continue;
        const bool back =
            watch_cv_.wait_for(lock, kQuitGrace, [this] { return stopping_ || !away_; });
        if (!back) {
            // The game is held up: the saves it handed over are finished
            // here, within their limit, and nothing else of it is touched.
            lock.unlock();
            finish_saves_before_exit();
            raw_mode::leave();
            std::_Exit(0);
        }
    }
}

void TerminalHost::steal(KeyDecoder& scan) {
    char buf[512];
    const ssize_t n = ::read(options_.in, buf, sizeof buf);
    if (n > 0) {
        stolen_.append(buf, static_cast<size_t>(n));
        scan.feed(std::string_view(buf, static_cast<size_t>(n)));
    } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
        stolen_end_ = true;
        scan.expire();
    }
}

void TerminalHost::write_out(int fd, const std::string& bytes) {
    write_all(fd, bytes.data(), bytes.size());
}

bool TerminalHost::print(const std::string& text) {
    const std::string s = printable(text);
    if (s.empty()) return false;
    write_out(options_.out, s + "\n");
    return true;
}

void TerminalHost::negotiate(int64_t budget_ms) {
    if (options_.control < 0) return;
    // The keyboard protocol query, then the device attributes, which every
    // terminal answers: an answer to the first before the second means yes.
    write_out(options_.control, "\x1b[?u\x1b[c");
    const int64_t until = now_ms() + budget_ms;
    while (!attributes_ && !eof_) {
        const int64_t now = now_ms();
        if (now >= until) break;
        pump(until - now);
    }
    // Keep the title of whoever ran the program, to give it back at the end.
    if (kitty_) {
        // Escape codes for every key (8), modifiers told apart (1), and the
        // key's place on a US layout (4) so that digits work on any layout.
        raw_mode::set_leave_sequence("\x1b[<u\x1b[23;0t");
        write_out(options_.control, "\x1b[22;0t\x1b[>13u");
    } else {
        // xterm's modifyOtherKeys: Shift+Enter and the like get codes.
        raw_mode::set_leave_sequence("\x1b[>4;0m\x1b[23;0t");
        write_out(options_.control, "\x1b[22;0t\x1b[>4;1m");
    }
    write_out(options_.control, "\x1b]0;" + title_ + "\a");
}

int64_t TerminalHost::now_ms() {
    return monotonic_ms();
}

void TerminalHost::pump(int64_t timeout_ms) {
    set_away(false);
    struct Away {
        TerminalHost& host;
        ~Away() { host.set_away(true); }
    } away{*this};
    if (!decoder_.empty()) timeout_ms = 0;  // keys the watch read come first
    if (decoder_.incomplete()) {
        const int64_t left = std::max<int64_t>(0, escape_due_ - now_ms());
        if (timeout_ms < 0 || left < timeout_ms) timeout_ms = left;
    }
    const int wait = timeout_ms < 0 ? -1 : static_cast<int>(std::min<int64_t>(timeout_ms, INT_MAX));
    if (eof_) {
        if (wait > 0) ::poll(nullptr, 0, wait);
    } else {
        pollfd p{options_.in, POLLIN, 0};
        if (::poll(&p, 1, wait) > 0) {
            char buf[512];
            const ssize_t n = ::read(options_.in, buf, sizeof buf);
            if (n > 0) {
                decoder_.feed(std::string_view(buf, static_cast<size_t>(n)));
                escape_due_ = now_ms() + options_.escape_ms;
            } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
                eof_ = true;
                decoder_.expire();
            }
        }
    }
    if (decoder_.incomplete() && now_ms() >= escape_due_) decoder_.expire();
    take();
}

void TerminalHost::take() {
    while (!decoder_.empty()) {
        const TermKey k = decoder_.pop();
        switch (k.kind) {
            case TermKey::quit:
                end();
                break;
            case TermKey::kittyreply:
                kitty_ = true;
                break;
            case TermKey::attributes:
                attributes_ = true;
                break;
            case TermKey::key:
                keys_.push_back(k);
                break;
        }
    }
}

bool TerminalHost::deliver_one() {
    // Nothing reaches the game before its start-up has finished.
    if (sink_ == nullptr || keys_.empty()) return false;
    const TermKey k = keys_.front();
    keys_.pop_front();
    sink_->on_key(k.code, k.state);
    return true;
}

void TerminalHost::run(EventSink& sink) {
    sink_ = &sink;
    for (;;) {
        if (deliver_one()) continue;
        if (eof_) return;
        pump(-1);
    }
}

void TerminalHost::process_until(int64_t deadline_ms) {
    for (;;) {
        if (deliver_one()) return;
        const int64_t now = now_ms();
        if (now >= deadline_ms) return;
        pump(deadline_ms - now);
    }
}

void TerminalHost::yield() {
    pump(0);
    while (deliver_one()) {
    }
}

void TerminalHost::set_title(const std::string& text) {
    // The title routes repeat a text by showing it behind a blank first, so
    // that a title watcher notices; a printed line is new anyway.
    const bool nudge = text == " " + title_;
    restore_title(text);
    if (!nudge) print(text);
}

void TerminalHost::restore_title(const std::string& text) {
    title_ = text;
    if (options_.control >= 0) write_out(options_.control, "\x1b]0;" + printable(text) + "\a");
}

void TerminalHost::begin_board(const BoardPicture& picture) {
    if (!options_.board || (shown_ && same_picture(*shown_, picture))) return;
    shown_ = picture;
    for (const std::string& line : board_lines(picture, names_)) print(line);
}

void TerminalHost::end() {
    if (before_end_) before_end_();
    raw_mode::leave();
    std::_Exit(0);
}

void PrintingVoice::speak(const std::string& text, int flags) {
    // The line goes first: a braille display need not wait for the voice.
    if (speaking_ != nullptr && !hinted_ && !printable(text).empty())
        hinted_ = host_.print(kLinesOnlyHint);
    host_.print(text);
    if (speaking_ != nullptr) speaking_->speak(text, flags);
}

void PrintingVoice::set_rate(int rate) {
    if (speaking_ != nullptr) speaking_->set_rate(rate);
}

}  // namespace velloxa
