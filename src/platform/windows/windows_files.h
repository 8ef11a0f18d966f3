// Files on Windows: UTF-8 paths turned into UTF-16 at every call.
#pragma once

#include "io/platform.h"

namespace velloxa {

class WindowsFiles : public FileStore {
  public:
    bool exists(const std::string& path) override;
    std::optional<std::string> read(const std::string& path) override;
    bool append_line(const std::string& path, const std::string& line) override;
    // Temporary file, FlushFileBuffers, then one MoveFileExW over the old
    // file, so a crash leaves either the old or the new file whole.
    void replace(const std::string& path, const std::string& data) override;
};

}  // namespace velloxa
