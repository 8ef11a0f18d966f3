// Text is UTF-8 inside the program and UTF-16 at the Windows system calls.
#pragma once

#include <string>

namespace velloxa {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);

// The text the Linux build's strerror() gives for the same failure, so that
// debug logs read the same on both systems; the system's own message for
// the rarer codes.
std::string system_error_text(unsigned long code);

// The description of a failed COM call.
std::string com_error_text(long result);

}  // namespace velloxa
