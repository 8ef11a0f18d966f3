// Files on a POSIX system.
#pragma once

#include "io/platform.h"

namespace velloxa {

class PosixFiles : public FileStore {
public:
    bool exists(const std::string& path) override;
    std::optional<std::string> read(const std::string& path) override;
    bool append_line(const std::string& path, const std::string& line) override;
    void replace(const std::string& path, const std::string& data) override;
};

}  // namespace velloxa
