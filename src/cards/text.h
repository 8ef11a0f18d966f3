// Text files written by hand on any system, and texts counted in characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velloxa {

// Whether `bytes` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool valid_utf8(std::string_view bytes);

// Windows-1252 bytes as UTF-8. The five bytes the code page leaves undefined
// become the control characters of the same number, as Windows does.
std::string cp1252_to_utf8(std::string_view bytes);

// Reads a file's bytes line by line, each line as UTF-8. A leading byte
// order mark is skipped; the rest is UTF-8 or, when it is not valid UTF-8,
// Windows-1252. Lines end at CR LF, at CR and at LF; a line end at the very
// end of the file does not start another line.
class TextLines {
  public:
    explicit TextLines(std::string_view bytes);
    // The next line into `line`; false at the end of the file.
    bool next(std::string& line);

  private:
    std::string_view rest_;
    bool utf8_ = true;
};

// The characters (code points) of a UTF-8 text. A byte that is not part of a
// valid sequence becomes U+DC00 + the byte, so that `utf8` gives back exactly
// the bytes it came from.
std::u32string code_points(std::string_view text);
std::string utf8(std::u32string_view text);

// Number of characters of a UTF-8 text.
size_t text_length(std::string_view text);

// `text` with every `what` replaced by `with`, left to right; what was put in
// is not looked at again.
std::string replace_all(std::string_view text, std::string_view what, std::string_view with);

}  // namespace velloxa
