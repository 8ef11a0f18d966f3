// Numbers as they appear in spoken texts and in the progress file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velloxa {

// Plain decimal: whole values below 10^16 without a point, others in the
// shortest form that reads back to the same double.
std::string num(double value);

// The largest whole number not greater than `value`, held within
// -1000000000..1000000000 so that edited files cannot overflow anything.
int64_t whole_part(double value);

// A number line of the progress file: blanks (spaces, tabs) around an
// optional sign, digits with an optional fraction, an optional exponent.
std::optional<double> parse_number(const std::string& line);

}  // namespace velloxa
