#include "platform/braille/braille_view.h"

namespace velloxa {

std::wstring characters_from_utf8(const std::string& text) {
    std::wstring out;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int more = lead < 0x80           ? 0
                         : (lead >> 5) == 0x6  ? 1
                         : (lead >> 4) == 0xE  ? 2
                         : (lead >> 3) == 0x1E ? 3
                                               : -1;
        char32_t c = more == 0   ? lead
                     : more == 1 ? lead & 0x1F
                     : more == 2 ? lead & 0x0F
                                 : lead & 0x07;
        bool whole = more >= 0 && i + static_cast<size_t>(more) < text.size();
        for (int k = 1; whole && k <= more; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            whole = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!whole || c > 0x10FFFF) {
            out += L'?';
            ++i;
            continue;
        }
        out += static_cast<wchar_t>(c);
        i += static_cast<size_t>(more) + 1;
    }
    return out;
}

std::vector<std::wstring> braille_windows(const std::wstring& text, int cells) {
    const size_t width = cells < 1 ? 1 : static_cast<size_t>(cells);
    std::vector<std::wstring> windows;
    // Blanks before the text would only take cells.
    size_t at = text.find_first_not_of(L' ');
    if (at == std::wstring::npos) at = text.size();
    while (at < text.size()) {
        size_t end = text.size();
        size_t next = end;
        if (text.size() - at > width) {
            // Break after the last whole word that fits; a word longer than
            // the display is cut where the display ends.
            const size_t blank = text.rfind(L' ', at + width);
            end = blank != std::wstring::npos && blank > at ? blank : at + width;
            next = end;
        }
        size_t last = end;
        while (last > at && text[last - 1] == L' ') --last;
        windows.push_back(text.substr(at, last - at));
        while (next < text.size() && text[next] == L' ') ++next;
        at = next;
    }
    if (windows.empty()) windows.emplace_back();
    return windows;
}

void BrailleView::add(const std::string& text) {
    texts_.push_back(braille_windows(characters_from_utf8(text), cells_));
    if (texts_.size() > kTextsKept) texts_.pop_front();
    text_ = texts_.size() - 1;  // mutate: braille-new-text-not-shown
    window_ = 0;                // mutate: braille-new-text-mid-window
}

bool BrailleView::pan(int direction) {
    if (texts_.empty()) return false;
    if (direction > 0) {
        if (window_ + 1 < texts_[text_].size()) {
            ++window_;
            return true;
        }
        return step(1);
    }
    if (window_ > 0) {
        --window_;
        return true;
    }
    if (!step(-1)) return false;
    window_ = texts_[text_].size() - 1;  // mutate: braille-pan-back-to-first-window
    return true;
}

bool BrailleView::step(int direction) {
    if (texts_.empty()) return false;
    if (direction > 0 ? text_ + 1 >= texts_.size() : text_ == 0) return false;
    text_ = direction > 0 ? text_ + 1 : text_ - 1;
    window_ = 0;
    return true;
}

bool BrailleView::jump(int direction) {
    if (texts_.empty()) return false;
    text_ = direction > 0 ? texts_.size() - 1 : 0;
    window_ = 0;
    return true;
}

std::wstring BrailleView::shown() const {
    std::wstring line = texts_.empty() ? std::wstring() : texts_[text_][window_];
    line.resize(static_cast<size_t>(cells_), L' ');
    return line;
}

}  // namespace velloxa
