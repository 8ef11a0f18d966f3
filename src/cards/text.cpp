#include "cards/text.h"

#include <array>

namespace velloxa {

namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

// One UTF-8 sequence starting at `i`; advances `i` past it. Returns
// kInvalid (and advances by one byte) when the bytes there are malformed.
char32_t decode_one(std::string_view s, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    size_t len = 0;
    char32_t cp = 0;
    char32_t lo = 0;  // smallest value this length may carry
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, cp = b0 & 0x1F, lo = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, cp = b0 & 0x0F, lo = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, cp = b0 & 0x07, lo = 0x10000;
    } else {
        ++i;
        return kInvalid;
    }
    if (i + len > s.size()) {
        ++i;
        return kInvalid;
    }
    for (size_t k = 1; k < len; ++k) {
        const unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kInvalid;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < lo || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kInvalid;
    }
    i += len;
    return cp;
}

void append(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp >= 0xDC80 && cp <= 0xDCFF) {
        out += static_cast<char>(cp - 0xDC00);  // a byte kept from an invalid sequence
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The characters of bytes 0x80..0x9F; the undefined five map to themselves.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::string_view kBom = "\xEF\xBB\xBF";

}  // namespace

bool valid_utf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size())
        if (decode_one(bytes, i) == kInvalid) return false;
    return true;
}

std::string cp1252_to_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        append(out, b >= 0x80 && b < 0xA0 ? char32_t{kCp1252High[b - 0x80]} : char32_t{b});
    }
    return out;
}

TextLines::TextLines(std::string_view bytes) : rest_(bytes) {
    if (rest_.substr(0, kBom.size()) == kBom) rest_.remove_prefix(kBom.size());
    utf8_ = valid_utf8(rest_);
}

bool TextLines::next(std::string& line) {
    if (rest_.empty()) return false;
    size_t end = 0;
    while (end < rest_.size() && rest_[end] != '\r' && rest_[end] != '\n') ++end;
    const std::string_view raw = rest_.substr(0, end);
    size_t skip = end;
    if (skip < rest_.size()) {
        skip += (rest_[skip] == '\r' && skip + 1 < rest_.size() && rest_[skip + 1] == '\n') ? 2 : 1;
    }
    rest_.remove_prefix(skip);
    line = utf8_ ? std::string(raw) : cp1252_to_utf8(raw);
    return true;
}

std::u32string code_points(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const size_t at = i;
        const char32_t cp = decode_one(text, i);
        out += cp == kInvalid ? char32_t{0xDC00u + static_cast<unsigned char>(text[at])} : cp;
    }
    return out;
}

std::string utf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char32_t cp : text) append(out, cp);
    return out;
}

size_t text_length(std::string_view text) {
    size_t count = 0;
    size_t i = 0;
    while (i < text.size()) {
        decode_one(text, i);
        ++count;
    }
    return count;
}

std::string replace_all(std::string_view text, std::string_view what, std::string_view with) {
    std::string out;
    size_t from = 0;
    for (size_t at; (at = text.find(what, from)) != std::string_view::npos; from = at + what.size())
        out.append(text.substr(from, at - from)).append(with);
    out.append(text.substr(from));
    return out;
}

}  // namespace velloxa
