// Key scripts of the headless mode.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace velloxa {

struct ScriptEvent {
    bool timed = false;
    int64_t delay_ms = 0;  // after the previous delivery, for timed events
    int code = 0;
    int state = 0;
};

struct ScriptError : std::runtime_error {
    ScriptError(int line, const std::string& what)
        : std::runtime_error("line " + std::to_string(line) + ": " + what), line(line) {}
    int line;
};

// Parses one key name with its modifier prefixes ("Shift+Enter", "vk65").
// Returns false when it is not a key.
bool parse_key(const std::string& text, int& code, int& state);

// Parses a whole script; throws ScriptError naming the first bad line.
std::vector<ScriptEvent> parse_script(const std::string& text);

}  // namespace velloxa
