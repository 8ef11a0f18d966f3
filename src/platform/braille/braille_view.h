// What a braille display shows of the game's texts: the newest texts kept as
// a short history, one of them on the display at a time, panned in windows
// of the display's width. Knows nothing of BrlAPI, so it can be checked alone.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace velloxa {

// UTF-8 to characters; a broken sequence becomes one '?'.
std::wstring characters_from_utf8(const std::string& text);

// The pieces of `text` that fill the display one after another: at most
// `cells` characters each, broken after a word where one fits, the blanks at
// a break or before the text dropped. An empty text is one empty window.
std::vector<std::wstring> braille_windows(const std::wstring& text, int cells);

class BrailleView {
  public:
    static constexpr size_t kTextsKept = 20;

    explicit BrailleView(int cells) : cells_(cells < 1 ? 1 : cells) {}

    // The newest text, shown from its start.
    void add(const std::string& text);
    // One window on (+1) or back (-1), into the next newer or older text at
    // either end of this one. False when there is nothing further.
    bool pan(int direction);
    // The next newer (+1) or older (-1) text, from its start. False at the
    // newest or the oldest.
    bool step(int direction);
    // The oldest (-1) or the newest (+1) text kept, from its start.
    bool jump(int direction);
    // Exactly `cells` characters: the window shown, blank-filled.
    std::wstring shown() const;

  private:
    int cells_;
    std::deque<std::vector<std::wstring>> texts_;  // oldest first, as windows
    size_t text_ = 0;                              // the text shown
    size_t window_ = 0;                            // its window shown
};

}  // namespace velloxa
