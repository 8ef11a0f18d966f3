// The terminal platform: keys from a terminal in raw mode, everything the
// game says printed as lines of their own (what console screen readers and
// braille displays read), waits spent sleeping in poll().
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "io/platform.h"
#include "platform/disk_files.h"
#include "platform/null_devices.h"
#include "platform/terminal/keys.h"

namespace velloxa {

struct TerminalOptions {
    int in = 0;              // keys
    int out = 1;             // spoken lines
    int control = -1;        // title and key protocol switches; -1: none
    bool board = false;      // print a text board after each change
    int64_t escape_ms = 50;  // a lone Escape byte counts as the key after this
};

// The three lines of the text board: tile initials with the owner (Y you,
// E enemy) and the cursor in brackets.
std::array<std::string, 3> board_lines(const BoardPicture& picture,
                                       const std::function<std::string(int)>& names);

class TerminalHost : public Clock,
                     public WindowTitle,
                     public NoKeyInjector,
                     public NoDrawing,
                     public MessageBox,
                     public ProcessEnd,
                     public DiskFiles {
  public:
    explicit TerminalHost(TerminalOptions options);
    ~TerminalHost() override;
    TerminalHost(const TerminalHost&) = delete;
    TerminalHost& operator=(const TerminalHost&) = delete;

    // Asks the terminal whether it speaks the kitty keyboard protocol and
    // switches on the most exact key reporting it offers. Waits at most
    // `budget_ms` for the answers; keys typed meanwhile are kept.
    void negotiate(int64_t budget_ms);
    bool kitty() const { return kitty_; }

    // One line for the screen reader; empty texts print nothing. Returns
    // whether a line was printed.
    bool print(const std::string& text);
    void set_names(std::function<std::string(int)> names) { names_ = std::move(names); }
    // Runs just before the program ends itself (to close the audio device).
    void set_before_end(std::function<void()> f) { before_end_ = std::move(f); }
    // Hands keys to `sink` until the input ends.
    void run(EventSink& sink);

    // Clock
    int64_t now_ms() override;
    void wait_started(int64_t) override {}
    void process_until(int64_t deadline_ms) override;
    void yield() override;
    // WindowTitle
    std::string title() override { return title_; }
    void set_title(const std::string& text) override;
    void restore_title(const std::string& text) override;
    // A terminal has no chord to send to anyone, and draws nothing: the
    // text board is printed on request from the picture.
    void begin_board(const BoardPicture& picture) override;
    // MessageBox
    void show(const std::string& text) override { print(text); }
    // ProcessEnd: puts the terminal back and ends at once.
    void end() override;

  private:
    // Reads what has come in, waiting at most `timeout_ms` (-1: no limit)
    // for the first byte; decodes it and acts on Ctrl+C at once.
    void pump(int64_t timeout_ms);
    void take();
    bool deliver_one();
    void write_out(int fd, const std::string& bytes);
    // The keys are read here only while the game is away from pump(): a
    // call that hangs (a sound or speech library) must not keep Ctrl+C from
    // ending the program.
    void watch();
    void steal(KeyDecoder& scan);  // one read, while the game is away
    void set_away(bool away);

    TerminalOptions options_;
    KeyDecoder decoder_;
    std::deque<TermKey> keys_;
    EventSink* sink_ = nullptr;
    int64_t escape_due_ = 0;  // when waiting bytes are taken as they stand
    bool eof_ = false;
    bool kitty_ = false;
    bool attributes_ = false;
    std::string title_ = "Velloxa";
    std::function<std::string(int)> names_;
    std::function<void()> before_end_;
    std::optional<BoardPicture> shown_;

    // Shared with the watch thread.
    std::mutex watch_mutex_;
    std::condition_variable watch_cv_;
    bool away_ = true;  // the game is not inside pump()
    int64_t away_since_ = 0;
    bool stopping_ = false;
    std::string stolen_;  // bytes the watch read, oldest first
    bool stolen_end_ = false;
    std::thread watcher_;
};

// The terminal's voice route: each text is printed as a line, and spoken
// too by `speaking` when there is a voice. A console screen reader reads
// the lines as well, so the first line printed beside a voice tells how to
// have the lines alone.
class PrintingVoice : public Voice {
  public:
    static constexpr const char* kLinesOnlyHint =
        "Press Tab once for printed lines only, without the voice.";

    explicit PrintingVoice(TerminalHost& host, Voice* speaking = nullptr)
        : host_(host), speaking_(speaking) {}
    bool open_voice() override { return speaking_ == nullptr || speaking_->open_voice(); }
    void speak(const std::string& text, int flags) override;
    void set_rate(int rate) override;

  private:
    TerminalHost& host_;
    Voice* speaking_;
    bool hinted_ = false;
};

}  // namespace velloxa
