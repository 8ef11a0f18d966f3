// What the shared test helpers take from POSIX and mingw-w64 lacks.
#pragma once

#include <direct.h>
#include <io.h>

#include <cstring>

inline char* mkdtemp(char* pattern) {
    if (_mktemp_s(pattern, std::strlen(pattern) + 1) != 0) return nullptr;
    return _mkdir(pattern) == 0 ? pattern : nullptr;
}
