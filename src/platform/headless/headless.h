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
#include "platform/disk_files.h"
#endif

namespace velloxa {

#ifdef _WIN32
using NativeFiles = WindowsFiles;
#else
using NativeFiles = DiskFiles;
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
                 public ScreenReader,
                 public KeyInjector,
                 public SoundDevice,
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
    bool open_voice() override { return options_.voice; }
    void speak(const std::string& text, int flags) override;
    void set_rate(int rate) override;
    // ScreenReader
    bool connect() override { return reader_ = options_.screen_reader; }
    void say(const std::string& text) override;
    // KeyInjector
    void press(int code) override;
    void release(int code) override;
    // SoundDevice
    bool open_device() override { return options_.sound_device; }
    void load(int slot, const std::string& path) override;
    void set_volume(int slot, int hundredths_db) override;
    void set_pan(int slot, int pan) override;
    void play(int slot, int flags) override;
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
    void line(const std::string& text);
    bool due(int64_t& when) const;  // the next event is timed; its due time
    void deliver();

    std::vector<ScriptEvent> script_;
    size_t next_ = 0;
    HeadlessOptions options_;
    std::ostream& out_;
    EventSink* sink_ = nullptr;
    int64_t clock_ = 0;
    int64_t last_delivery_ = 0;
    std::string title_ = "Velloxa";
    bool reader_ = false;
};

}  // namespace velloxa
