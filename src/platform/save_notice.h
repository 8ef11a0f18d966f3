// A file store that tells the first failed save on a stream (standard error
// in the desktop and terminal front-ends), with the folder and the reason,
// so a player who hears "Your progress could not be saved." can find out why;
// and, once, that a backup of a damaged progress file was made, and where.
#pragma once

#include <ostream>

#include "io/platform.h"

namespace velloxa {

class SaveNotice : public FileStore {
  public:
    SaveNotice(FileStore& files, std::ostream& out) : files_(files), out_(out) {}
    bool exists(const std::string& path) override { return files_.exists(path); }
    std::optional<std::string> read(const std::string& path) override { return files_.read(path); }
    bool append_line(const std::string& path, const std::string& line) override {
        return files_.append_line(path, line);
    }
    void replace(const std::string& path, const std::string& data) override;

  private:
    FileStore& files_;
    std::ostream& out_;
    bool told_ = false;
    bool backup_told_ = false;
};

}  // namespace velloxa
