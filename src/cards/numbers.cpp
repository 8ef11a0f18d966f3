#include "cards/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace velloxa {

std::string num(double value) {
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e16) {
        return std::to_string(static_cast<long long>(value));
    }
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    std::string sci(buf, res.ptr);
    if (!std::isfinite(value)) return sci;
    const auto epos = sci.find('e');
    const int exponent = std::atoi(sci.c_str() + epos + 1);
    if (exponent < -4 || exponent >= 16) return sci;
    std::string digits;
    for (size_t i = 0; i < epos; ++i)
        if (sci[i] >= '0' && sci[i] <= '9') digits.push_back(sci[i]);
    // Built by appending: g++ 12 warns falsely (-Wrestrict) on string concatenation here.
    std::string out(value < 0 ? 1 : 0, '-');
    if (exponent < 0) {
        out.append("0.");
        out.append(static_cast<size_t>(-exponent - 1), '0');
        out.append(digits);
    } else {
        const size_t int_length = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= int_length) {
            out.append(digits);
            out.append(int_length - digits.size(), '0');
        } else {
            out.append(digits, 0, int_length);
            out.push_back('.');
            out.append(digits, int_length);
        }
    }
    return out;
}

int64_t whole_part(double value) {
    if (std::isnan(value)) return 0;
    const double f = std::floor(value);
    if (f > 1e9) return 1000000000;
    if (f < -1e9) return -1000000000;
    return static_cast<int64_t>(f);
}

std::optional<double> parse_number(const std::string& line) {
    std::string_view s(line);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    size_t i = 0;
    auto digits = [&] {
        size_t start = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        return i - start;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t mant = digits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        mant += digits();
    }
    if (mant == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (digits() == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    std::string text(s);
    if (text[0] == '+') text.erase(0, 1);
    double v = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Too large or too small to hold: keep the sign and take the nearest
        // finite value, so that whatever is read can be written back and read
        // again.
        v = std::strtod(text.c_str(), nullptr);
        if (std::isinf(v)) v = std::copysign(std::numeric_limits<double>::max(), v);
    } else if (res.ec != std::errc()) {
        return std::nullopt;
    }
    return v;
}

}  // namespace velloxa
