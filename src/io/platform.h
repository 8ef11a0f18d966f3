// The small interfaces through which the game reaches the outside world.
// The game logic only ever talks to these; headless, windowed and terminal
// front-ends each provide their own implementations.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "engine/waits.h"

namespace velloxa {

// What the platform hands to the game: keys and repaint requests.
struct GameLanguage;  // io/languages.h

class EventSink {
  public:
    virtual ~EventSink() = default;
    virtual void on_key(int code, int state) = 0;
    virtual void on_paint() = 0;
};

class WindowTitle {
  public:
    virtual ~WindowTitle() = default;
    virtual std::string title() = 0;
    virtual void set_title(const std::string& text) = 0;
    // The program's own name, set when a route stops using the title: not a
    // text for the player, so a front-end that prints titles may keep it
    // out of its lines.
    virtual void restore_title(const std::string& text) { set_title(text); }
    // False where no screen reader announces the title, so that the routes
    // through it would leave the player in silence.
    virtual bool title_is_read() const { return true; }
};

// Text-to-speech voice.
// Flags of `Voice::speak`: return before the text is spoken, and first cut
// off what is still being spoken.
inline constexpr int kSpeakAsync = 1;
inline constexpr int kSpeakPurgingFirst = 2;
inline constexpr int kSpeakInterrupting = kSpeakAsync | kSpeakPurgingFirst;

class Voice {
  public:
    virtual ~Voice() = default;
    virtual bool open_voice() = 0;  // false when no voice can be made
    virtual void speak(const std::string& text, int flags) = 0;
    virtual void set_rate(int rate) = 0;
    // The language of the texts to come, told before the voice is opened; a
    // voice that has none of it keeps its own.
    virtual void use_language(const GameLanguage&) {}
};

// Thrown by `ScreenReader::say` once when a screen reader that was answering
// has been given up; the texts must then take another route.
struct ScreenReaderLost : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A running screen reader. `say` throws std::runtime_error when no screen
// reader answers, ScreenReaderLost as above.
class ScreenReader {
  public:
    virtual ~ScreenReader() = default;
    virtual bool connect() = 0;
    virtual void say(const std::string& text) = 0;
    // Stops what this program's texts still have queued or speaking, as a
    // key press does to a screen reader's own speech. Never throws; a reader
    // that keeps no queue of the program's texts has nothing to do.
    virtual void cancel() {}
    // The language of the texts to come, for a reader that picks its voice
    // by it; most readers speak with the player's own voice whatever it is.
    virtual void use_language(const GameLanguage&) {}
};

class KeyInjector {
  public:
    virtual ~KeyInjector() = default;
    virtual void press(int code) = 0;
    virtual void release(int code) = 0;
};

// kSlots sound slots, 0 to kSlots - 1. `load` throws std::runtime_error
// when the file cannot be decoded; the slot then keeps what it held.
class SoundDevice {
  public:
    // The game's sounds rotate through slots 2 to kSlots - 1. Slots 0 and 1
    // are preloaded like the others but never chosen: the slot numbers show
    // in every transcript and trace, which must stay as they are.
    static constexpr int kSlots = 50;
    virtual ~SoundDevice() = default;
    virtual bool open_device() = 0;
    virtual void load(int slot, const std::string& path) = 0;
    virtual void set_volume(int slot, int hundredths_db) = 0;
    virtual void set_pan(int slot, int pan) = 0;
    virtual void play(int slot, int flags) = 0;
};

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// One board picture: the cursor and nine tile/owner pairs, column 1 rows
// 1-3, column 2 rows 1-3, column 3 rows 1-3.
struct BoardPicture {
    int cursor_x = 0, cursor_y = 0;
    std::array<std::pair<int, int>, 9> cells{};
};

// The picture as transcripts and traces write it: "draw X Y TILE/OWNER ...".
inline std::string draw_line(const BoardPicture& picture) {
    std::string line =
        "draw " + std::to_string(picture.cursor_x) + " " + std::to_string(picture.cursor_y);
    for (const auto& [tile, owner] : picture.cells)
        line += " " + std::to_string(tile) + "/" + std::to_string(owner);
    return line;
}

// Pixel drawing surface of the window.
class Canvas {
  public:
    virtual ~Canvas() = default;
    virtual std::pair<int, int> inner_size() = 0;
    virtual void begin_board(const BoardPicture& picture) = 0;
    virtual void fill_rect(int left, int top, int right, int bottom, Rgb colour) = 0;
    virtual void outline_rect(int left, int top, int right, int bottom, Rgb colour) = 0;
    virtual void text(int x, int y, double points, Rgb colour, const std::string& text) = 0;
    virtual void end_board() = 0;
};

class MessageBox {
  public:
    virtual ~MessageBox() = default;
    virtual void show(const std::string& text) = 0;
};

class ProcessEnd {
  public:
    virtual ~ProcessEnd() = default;
    // Ends the program at once. Test doubles may throw instead of returning.
    virtual void end() = 0;
};

// Files: existence, whole reads, append-a-line for the debug log, and
// replacement through a temporary file for the progress file.
class FileStore {
  public:
    virtual ~FileStore() = default;
    virtual bool exists(const std::string& path) = 0;  // a regular file
    virtual std::optional<std::string> read(const std::string& path) = 0;
    // Appends `line` and a line feed; false when it could not be written.
    virtual bool append_line(const std::string& path, const std::string& line) = 0;
    // Writes `data` to a temporary file beside `path` and renames it over
    // `path`. Throws std::runtime_error carrying the system's message for the
    // failing call; `path` is then untouched.
    virtual void replace(const std::string& path, const std::string& data) = 0;
};

struct Platform {
    Clock& clock;
    WindowTitle& window;
    Voice& voice;
    ScreenReader& reader;
    KeyInjector& keys;
    SoundDevice& sound;
    Canvas& canvas;
    MessageBox& msgbox;
    ProcessEnd& process;
    FileStore& files;
};

}  // namespace velloxa
