// Writing whole buffers to file descriptors.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace velloxa {

// Writes all `size` bytes, retrying after interruptions; false on failure.
// Only calls write(), so signal handlers may use it too.
inline bool write_all(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace velloxa
