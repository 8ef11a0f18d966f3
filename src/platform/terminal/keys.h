// Turns the bytes a terminal sends into the key codes and modifier states the
// game expects from a window (Windows virtual key codes; Shift 1, Ctrl 2,
// Alt 4). Understands plain bytes, the usual escape sequences of xterm, rxvt
// and the Linux console, xterm's modifyOtherKeys and the kitty keyboard
// protocol. Chords a plain terminal cannot report have stand-ins:
//   Ctrl+E or F2      Shift+Enter
//   Ctrl+X or F3      Shift+Escape
//   Ctrl+Space or F4  Ctrl alone (silence)
//   F5 to F9          Shift+1 to Shift+5 (dropping a tile), on any layout
//   Ctrl+C            quit
#pragma once

#include <deque>
#include <string>
#include <string_view>

namespace velloxa {

struct TermKey {
    enum Kind {
        key,         // code and state are set
        quit,        // Ctrl+C
        kittyreply,  // the terminal answered the keyboard protocol query
        attributes,  // the terminal answered the device attributes query
    };
    Kind kind = key;
    int code = 0;
    int state = 0;
    bool operator==(const TermKey&) const = default;
};

class KeyDecoder {
  public:
    void feed(std::string_view bytes);
    // Decodes every complete event into the queue. Bytes that may still be
    // the start of an escape sequence stay behind until more arrive or
    // expire() is called.
    bool empty() const { return events_.empty(); }
    TermKey pop();
    // Bytes are waiting that could begin a longer sequence (a lone Escape).
    bool incomplete() const { return !buffer_.empty(); }
    // No more bytes came in time: what is waiting is taken as it stands, so
    // a lone Escape byte becomes the Escape key.
    void expire();

  private:
    // Decodes one event from the start of the buffer; returns the bytes
    // used, 0 when the sequence is not complete yet.
    size_t decode(bool final);
    size_t decode_csi(bool final);
    size_t decode_ss3(bool final);
    void push(int code, int state);
    void push_char(unsigned codepoint, int state);
    void push_code_point(unsigned codepoint, int state);

    std::string buffer_;
    std::deque<TermKey> events_;
};

}  // namespace velloxa
