#include "platform/headless/script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <sstream>

namespace velloxa {

namespace {

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool key_name(const std::string& name, int& code, int& own_bit) {
    static const struct {
        const char* name;
        int code;
        int bit;
    } kNames[] = {{"enter", 13, 0},    {"escape", 27, 0}, {"tab", 9, 0},   {"pageup", 33, 0},
                  {"pagedown", 34, 0}, {"up", 38, 0},     {"down", 40, 0}, {"left", 37, 0},
                  {"right", 39, 0},    {"shift", 16, 1},  {"ctrl", 17, 2}, {"alt", 18, 4}};
    const std::string n = lower(name);
    own_bit = 0;
    for (const auto& k : kNames) {
        if (n == k.name) {
            code = k.code;
            own_bit = k.bit;
            return true;
        }
    }
    if (n.size() == 1 && n[0] >= 'a' && n[0] <= 'z') {
        code = 'A' + (n[0] - 'a');
        return true;
    }
    if (n.size() == 1 && n[0] >= '0' && n[0] <= '9') {
        code = n[0];
        return true;
    }
    if (n.size() > 2 && n.compare(0, 2, "vk") == 0) {
        int v = 0;
        const char* first = n.data() + 2;
        const char* last = n.data() + n.size();
        auto res = std::from_chars(first, last, v);
        if (res.ec != std::errc() || res.ptr != last || v < 0) return false;
        code = v;
        return true;
    }
    return false;
}

}  // namespace

bool parse_key(const std::string& text, int& code, int& state) {
    state = 0;
    std::string rest = text;
    for (;;) {
        const auto plus = rest.find('+');
        if (plus == std::string::npos) break;
        const std::string mod = lower(rest.substr(0, plus));
        int bit = 0;
        if (mod == "shift")
            bit = 1;
        else if (mod == "ctrl")
            bit = 2;
        else if (mod == "alt")
            bit = 4;
        else
            return false;
        if (state & bit) return false;  // each modifier at most once
        state |= bit;
        rest = rest.substr(plus + 1);
    }
    int own_bit = 0;
    if (!key_name(rest, code, own_bit)) return false;
    state |= own_bit;
    return true;
}

std::vector<ScriptEvent> parse_script(const std::string& text) {
    std::vector<ScriptEvent> events;
    std::istringstream in(text);
    std::string raw;
    int lineno = 0;
    while (std::getline(in, raw)) {
        ++lineno;
        const std::string line = trim(raw);
        if (line.empty() || line[0] == '#') continue;
        ScriptEvent ev;
        std::string key = line;
        if (line[0] == '+') {
            const auto blank = line.find_first_of(" \t");
            if (blank == std::string::npos) throw ScriptError(lineno, "a timed event needs a key");
            const std::string secs = line.substr(1, blank - 1);
            double seconds = 0;
            bool ok = !secs.empty() && secs.find_first_not_of("0123456789.") == std::string::npos &&
                      std::count(secs.begin(), secs.end(), '.') <= 1 && secs != ".";
            if (ok) {
                auto res = std::from_chars(secs.data(), secs.data() + secs.size(), seconds);
                ok = res.ec == std::errc() && res.ptr == secs.data() + secs.size() &&
                     std::isfinite(seconds) && seconds < 1e12;
            }
            if (!ok) throw ScriptError(lineno, "bad number of seconds '" + secs + "'");
            ev.timed = true;
            ev.delay_ms = static_cast<int64_t>(std::nearbyint(seconds * 1000.0));
            key = trim(line.substr(blank));
        }
        if (!parse_key(key, ev.code, ev.state))
            throw ScriptError(lineno, "unknown key '" + key + "'");
        events.push_back(ev);
    }
    return events;
}

}  // namespace velloxa
