// The headless platform: keys from a script, every outward effect written
// as one transcript line, time kept on a virtual clock.
#pragma once

#include <ostream>
#include <vector>

#include "io/platform.h"
#include "platform/headless/script.h"
#include "platform/null_devices.h"
#ifdef _WIN32
#include "platform/windows/windows_files.h"
#else
#include "platform/posix_files.h"
#endif

namespace velloxa {

#ifdef _WIN32
using NativeFiles = WindowsFiles;
#else
using NativeFiles = PosixFiles;
#endif

struct HeadlessOptions {
    bool voice = true;
    bool screen_reader = false;
    bool sound_device = true;
    bool title_reader = true;  // a screen reader announces the window title
};

class Headless : public Clock,
                 public WindowTitle,
                 public Voice,
                 public KeyInjector,
                 public NoDrawing,
                 public MessageBox,
                 public ProcessEnd,
                 public NativeFiles {
  public:
    Headless(std::vector<ScriptEvent> script, HeadlessOptions options, std::ostream& out);

    Platform platform();
    // Delivers the script from the top level once start-up has finished;
    // returns when it is used up.
    void run(EventSink& sink);

    // Clock
    int64_t now_ms() override { return clock_; }
    void wait_started(int64_t interval_ms) override;
    void process_until(int64_t deadline_ms) override;
    void yield() override;
    // WindowTitle
    std::string title() override { return title_; }
    void set_title(const std::string& text) override;
    bool title_is_read() const override { return options_.title_reader; }
    // Voice
    bool create() override { return options_.voice; }
    void speak(const std::string& text, int flags) override;
    void set_rate(int rate) override;
    // ScreenReader, through readerprobe_
    void say(const std::string& text);
    // KeyInjector
    void press(int code) override;
    void release(int code) override;
    // SoundDevice, through soundprobe_
    void load(int slot, const std::string& path);
    void set_volume(int slot, int hundredths_db);
    void set_pan(int slot, int pan);
    void play(int slot, int flags);
    // Canvas: nothing is drawn, the picture becomes the draw line.
    void begin_board(const BoardPicture& picture) override;
    // MessageBox
    void show(const std::string& text) override;
    // ProcessEnd
    void end() override;
    // Further script events, for tests that add keys between runs.
    void append(const std::vector<ScriptEvent>& more) {
        script_.insert(script_.end(), more.begin(), more.end());
    }

    // FileStore
    bool append_line(const std::string& path, const std::string& line) override;
    void replace(const std::string& path, const std::string& data) override;

  protected:
    void end_line() { line("exit"); }

  private:
    // Voice, screen reader and sound device each have a "create" probe of
    // the same name, so the last two are reached through small adaptors.
    struct ReaderProbe : ScreenReader {
        Headless& h;
        explicit ReaderProbe(Headless& owner) : h(owner) {}
        bool create() override { return h.reader_ = h.options_.screen_reader; }
        void say(const std::string& text) override { h.say(text); }
    };
    struct SoundProbe : SoundDevice {
        Headless& h;
        explicit SoundProbe(Headless& owner) : h(owner) {}
        bool create() override { return h.options_.sound_device; }
        void load(int s, const std::string& p) override { h.load(s, p); }
        void set_volume(int s, int v) override { h.set_volume(s, v); }
        void set_pan(int s, int p) override { h.set_pan(s, p); }
        void play(int s, int f) override { h.play(s, f); }
    };

    void line(const std::string& text);
    bool due(int64_t& when) const;  // the next event is timed; its due time
    void deliver();

    std::vector<ScriptEvent> script_;
    size_t next_ = 0;
    HeadlessOptions options_;
    std::ostream& out_;
    EventSink* sink_ = nullptr;
    int64_t clock_ = 0;
    int64_t lastdelivery_ = 0;
    std::string title_ = "Velloxa";
    bool reader_ = false;
    ReaderProbe readerprobe_{*this};
    SoundProbe soundprobe_{*this};
};

}  // namespace velloxa
