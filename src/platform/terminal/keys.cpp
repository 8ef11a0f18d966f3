#include "platform/terminal/keys.h"

#include <vector>

#include "io/keycodes.h"

namespace velloxa {

namespace {

constexpr char esc = '\x1b';

// Shift 1, Alt 2, Ctrl 4 (plus 1) in the terminal's parameter; Shift 1,
// Ctrl 2, Alt 4 for the game. Super, Meta and the lock keys are dropped.
int modstate(int param) {
    if (param < 1) return 0;
    const int m = param - 1;
    return (m & 1) | ((m & 4) ? 2 : 0) | ((m & 2) ? 4 : 0);
}

// The parameters of a control sequence: fields split at ';', each split
// into sub-fields at ':'; an empty number is -1.
using Fields = std::vector<std::vector<int>>;

Fields parse_fields(std::string_view text) {
    Fields fields(1, std::vector<int>(1, -1));
    for (char c : text) {
        if (c == ';') {
            fields.emplace_back(1, -1);
        } else if (c == ':') {
            fields.back().push_back(-1);
        } else if (c >= '0' && c <= '9') {
            int& v = fields.back().back();
            if (v < 0) v = 0;
            if (v < 10000000) v = v * 10 + (c - '0');
        }
    }
    return fields;
}

int field(const Fields& f, size_t i, size_t sub, int otherwise) {
    if (i >= f.size() || sub >= f[i].size() || f[i][sub] < 0) return otherwise;
    return f[i][sub];
}

// The digit row on a US layout: Shift turns 1..0 into these.
constexpr std::string_view shifted_digits = "!@#$%^&*()";

struct Punct {
    char plain, shifted;
    int code;
};
constexpr Punct punctuation[] = {
    {';', ':', 186},  {'=', '+', 187}, {',', '<', 188},  {'-', '_', 189},
    {'.', '>', 190},  {'/', '?', 191}, {'`', '~', 192},  {'[', '{', 219},
    {'\\', '|', 220}, {']', '}', 221}, {'\'', '"', 222},
};

}  // namespace

void KeyDecoder::feed(std::string_view bytes) {
    buffer_.append(bytes);
    while (!buffer_.empty()) {
        const size_t used = decode(false);
        if (used == 0) break;
        buffer_.erase(0, used);
    }
}

void KeyDecoder::expire() {
    while (!buffer_.empty()) {
        const size_t used = decode(true);
        buffer_.erase(0, used == 0 ? buffer_.size() : used);
    }
}

TermKey KeyDecoder::pop() {
    const TermKey k = events_.front();
    events_.pop_front();
    return k;
}

// The last step for every key: the stand-ins for chords a terminal cannot
// send, and Ctrl+C.
void KeyDecoder::push(int code, int state) {
    const bool ctrl = state == key::CtrlDown || state == (key::CtrlDown | key::ShiftDown);
    if (code == 'C' && ctrl) {
        events_.push_back({TermKey::quit, 0, 0});
        return;
    }
    if (state == key::CtrlDown) {
        if (code == 'E')
            code = key::Enter, state = key::ShiftDown;
        else if (code == 'X')  // mutate: terminal-ctrl-x-lost
            code = key::Escape, state = key::ShiftDown;
        else if (code == ' ')
            code = key::Ctrl, state = key::CtrlDown;
    }
    events_.push_back({TermKey::key, code, state});
}

void KeyDecoder::push_char(unsigned cp, int state) {
    if (cp >= 'a' && cp <= 'z') return push(static_cast<int>(cp) - 32, state);
    if (cp >= 'A' && cp <= 'Z') return push(static_cast<int>(cp), state | 1);
    if (cp >= '0' && cp <= '9') return push(static_cast<int>(cp), state);
    if (cp == ' ') return push(32, state);
    if (cp > 0x7e) return;
    const char c = static_cast<char>(cp);
    if (const size_t at = shifted_digits.find(c); at != std::string_view::npos)
        // mutate: terminal-shifted-digits-off-by-one
        return push(at == 9 ? '0' : static_cast<int>('1' + at), state | 1);
    for (const Punct& p : punctuation) {
        if (c == p.plain) return push(p.code, state);
        if (c == p.shifted) return push(p.code, state | 1);
    }
}

size_t KeyDecoder::decode(bool final) {
    const std::string& b = buffer_;
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(b[i]); };
    const unsigned char c = byte(0);
    if (c >= 0x80) {
        // Text beyond ASCII has no key code here; skip the whole character.
        size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        size_t have = 1;
        while (have < len && have < b.size() && (byte(have) & 0xC0) == 0x80) ++have;
        if (have < len && have == b.size() && !final) return 0;
        return have;
    }
    if (c != 0x1b) {
        switch (c) {
            case 0x00:
                push(' ', 2);
                break;
            case 0x08:
            case 0x7f:
                push(8, 0);
                break;
            case 0x09:
                push(9, 0);
                break;
            case 0x0a:
            case 0x0d:
                push(13, 0);
                break;
            case 0x1c:
                push(220, 2);
                break;
            case 0x1d:
                push(221, 2);
                break;
            case 0x1e:
                push('6', 2);
                break;
            case 0x1f:
                push(189, 2);
                break;
            default:
                if (c < 0x20)
                    push('A' + c - 1, 2);
                else
                    push_char(c, 0);
        }
        return 1;
    }
    if (b.size() == 1) {
        if (!final) return 0;
        push(27, 0);
        return 1;
    }
    const unsigned char c1 = byte(1);
    if (c1 == '[') return decode_csi(final);
    if (c1 == 'O') return decode_ss3(final);
    if (c1 == 0x1b || c1 >= 0x80) {
        push(27, 0);
        return 1;
    }
    // Escape before a key is how terminals send Alt with it.
    switch (c1) {
        case 0x08:
        case 0x7f:
            push(8, 4);
            break;
        case 0x09:
            push(9, 4);
            break;
        case 0x0a:
        case 0x0d:
            push(13, 4);
            break;
        default:
            if (c1 == 0)
                push(' ', 6);
            else if (c1 <= 0x1a)
                push('A' + c1 - 1, 6);
            else if (c1 >= 0x20)
                push_char(c1, 4);
    }
    return 2;
}

namespace {

// F1 to F12; F2 to F4 are the stand-ins for the chords, F5 to F9 for
// Shift+1 to Shift+5, which only a US layout sends as `!@#$%`.
void function_key(int n, int state, TermKey& out) {
    if (n >= 5 && n <= 9) {  // mutate: terminal-f9-not-slot-five
        out = {TermKey::key, '1' + n - 5, key::ShiftDown};
        return;
    }
    switch (n) {
        case 2:
            out = {TermKey::key, key::Enter, key::ShiftDown};
            return;
        case 3:
            out = {TermKey::key, key::Escape, key::ShiftDown};  // mutate: terminal-f3-plain-escape
            return;
        case 4:
            out = {TermKey::key, key::Ctrl, key::CtrlDown};
            return;
        default:
            out = {TermKey::key, 111 + n, state};
    }
}

// The function key that Escape [ n ~ means (xterm, rxvt, the Linux
// console); 0 for none.
int function_number(int n) {
    if (n >= 11 && n <= 15) return n - 10;
    if (n >= 17 && n <= 21) return n - 11;
    if (n == 23 || n == 24) return n - 12;
    return 0;
}

// rxvt ends a function key with Shift by '$', which is otherwise no final
// byte: only after a number does it end the sequence.
bool rxvt_shift_end(std::string_view b, size_t at) {
    if (b[at] != '$' || at <= 2) return false;
    for (size_t i = 2; i < at; ++i)
        if (b[i] < '0' || b[i] > '9') return false;
    return true;
}

}  // namespace

size_t KeyDecoder::decode_csi(bool final) {
    const std::string& b = buffer_;
    // The Linux console sends F1 to F5 as Escape [ [ A to E.
    if (b.size() > 2 && b[2] == '[') {
        if (b.size() < 4) {
            if (!final) return 0;
            push(219, 4);
            return 2;
        }
        if (b[3] >= 'A' && b[3] <= 'E') {
            TermKey k;
            function_key(b[3] - 'A' + 1, 0, k);
            events_.push_back(k);
        }
        return 4;
    }
    size_t j = 2;
    while (j < b.size() && b[j] >= 0x20 && b[j] <= 0x3f && !rxvt_shift_end(b, j)) ++j;
    if (j == b.size()) {
        if (!final) return 0;
        if (j == 2) push(219, 4);  // Alt+[
        return j;
    }
    const char f = b[j];
    // Broken off: drop it, decode the rest.
    if ((f < 0x40 || f > 0x7e) && !rxvt_shift_end(b, j)) return j;
    std::string_view params(b.data() + 2, j - 2);
    char marker = 0;
    if (!params.empty() &&
        (params[0] == '<' || params[0] == '=' || params[0] == '>' || params[0] == '?')) {
        marker = params[0];
        params.remove_prefix(1);
    }
    const Fields fs = parse_fields(params);
    const int mods = modstate(field(fs, 1, 0, 1));
    const size_t used = j + 1;

    if (marker == '?') {
        if (f == 'u') events_.push_back({TermKey::kittyreply, 0, 0});
        if (f == 'c') events_.push_back({TermKey::attributes, 0, 0});
        return used;
    }
    if (marker != 0) return used;

    switch (f) {
        case 'u': {
            if (field(fs, 1, 1, 1) == 3) return used;  // a release
            int cp = field(fs, 0, 0, -1);
            const int base = field(fs, 0, 2, -1);
            // Digits go by their place on the keyboard, whatever the layout.
            if (base >= '0' && base <= '9') cp = base;
            if (cp >= 0) push_code_point(static_cast<unsigned>(cp), mods);
            return used;
        }
        case '~': {
            const int n = field(fs, 0, 0, -1);
            if (n == 27 && fs.size() >= 3) {  // xterm's modifyOtherKeys
                const int cp = field(fs, 2, 0, -1);
                if (cp >= 0) push_code_point(static_cast<unsigned>(cp), mods);
                return used;
            }
            switch (n) {
                case 1:
                case 7:
                    push(36, mods);
                    break;
                case 4:
                case 8:
                    push(35, mods);
                    break;
                case 2:
                    push(45, mods);
                    break;
                case 3:
                    push(46, mods);
                    break;
                case 5:
                    push(33, mods);
                    break;
                case 6:
                    push(34, mods);
                    break;
                default:
                    if (const int fn = function_number(n); fn != 0) {
                        TermKey k;
                        function_key(fn, mods, k);
                        events_.push_back(k);
                    }
            }
            return used;
        }
        // rxvt's function keys with Shift, Ctrl, or both.
        case '$':
        case '^':
        case '@':
            if (const int fn = function_number(field(fs, 0, 0, -1)); fn != 0) {
                TermKey k;
                function_key(fn,
                             f == '$'   ? key::ShiftDown
                             : f == '^' ? key::CtrlDown
                                        : key::ShiftDown | key::CtrlDown,
                             k);
                events_.push_back(k);
            }
            return used;
        case 'A':
            push(38, mods);
            return used;
        case 'B':
            push(40, mods);
            return used;
        case 'C':
            push(39, mods);
            return used;
        case 'D':
            push(37, mods);
            return used;
        // rxvt's Shift+arrows.
        case 'a':
            push(38, 1);
            return used;
        case 'b':
            push(40, 1);
            return used;
        case 'c':
            push(39, 1);
            return used;
        case 'd':
            push(37, 1);
            return used;
        case 'H':
            push(36, mods);
            return used;
        case 'F':
            push(35, mods);
            return used;
        case 'Z':
            push(9, mods | 1);
            return used;
        case 'P':
        case 'Q':
        case 'R':
        case 'S': {
            // A cursor report would carry a row other than 1; none is asked for.
            if (field(fs, 0, 0, 1) != 1) return used;
            TermKey k;
            function_key(f - 'P' + 1, mods, k);
            events_.push_back(k);
            return used;
        }
        default:
            return used;
    }
}

size_t KeyDecoder::decode_ss3(bool final) {
    const std::string& b = buffer_;
    size_t j = 2;
    while (j < b.size() && b[j] >= '0' && b[j] <= '9') ++j;
    if (j == b.size()) {
        if (!final) return 0;
        if (j == 2) push('O', 5);  // Alt+Shift+O
        return j;
    }
    const int mods = j > 2 ? modstate(b[j - 1] - '0') : 0;
    const char f = b[j];
    switch (f) {
        case 'A':
            push(38, mods);
            break;
        case 'B':
            push(40, mods);
            break;
        case 'C':
            push(39, mods);
            break;
        case 'D':
            push(37, mods);
            break;
        case 'H':
            push(36, mods);
            break;
        case 'F':
            push(35, mods);
            break;
        case 'M':
            push(13, mods);
            break;
        case 'P':
        case 'Q':
        case 'R':
        case 'S': {
            TermKey k;
            function_key(f - 'P' + 1, mods, k);
            events_.push_back(k);
            break;
        }
        default:
            // The keypad's digits in application mode.
            if (f >= 'p' && f <= 'y') push('0' + (f - 'p'), mods);
    }
    return j + 1;
}

void KeyDecoder::push_code_point(unsigned cp, int state) {
    switch (cp) {
        case 13:
            return push(13, state);
        case 9:
            return push(9, state);
        case 27:
            return push(27, state);
        case 8:
        case 127:
            return push(8, state);
        default:
            break;
    }
    if (cp >= 'A' && cp <= 'Z') return push(static_cast<int>(cp), state | 1);
    if (cp >= 0x20 && cp < 0x7f) return push_char(cp, state);
    // The kitty protocol's own numbers for keys without a character.
    if (cp >= 57399 && cp <= 57408) return push('0' + static_cast<int>(cp - 57399), state);
    switch (cp) {
        case 57414:
            return push(13, state);
        case 57417:
            return push(37, state);
        case 57418:
            return push(39, state);
        case 57419:
            return push(38, state);
        case 57420:
            return push(40, state);
        case 57421:
            return push(33, state);
        case 57422:
            return push(34, state);
        case 57423:
            return push(36, state);
        case 57424:
            return push(35, state);
        case 57441:
        case 57447:
            return push(16, state | 1);
        case 57442:
        case 57448:
            return push(17, state | 2);
        case 57443:
        case 57449:
            return push(18, state | 4);
        default:
            return;
    }
}

}  // namespace velloxa
