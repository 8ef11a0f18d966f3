// One running copy per data folder: two copies would each overwrite the
// progress the other saved.
#pragma once

#include <string>

namespace velloxa {

// What a second copy says (on standard error, and aloud where it can)
// before it ends.
inline constexpr const char* kDataFolderInUse =
    "Velloxa is already running with this data folder; this copy ends.";

class DataFolderLock {
  public:
    // Takes an advisory lock on `folder` until this object is gone. Once it
    // is held, the temporary files of saves that were killed half-way are
    // removed. A folder that cannot be locked (missing, or a file system
    // without locks) is used unlocked.
    explicit DataFolderLock(const std::string& folder);
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;

    // Another running copy holds the folder.
    bool held_elsewhere() const { return held_elsewhere_; }

  private:
    int fd_ = -1;
    bool held_elsewhere_ = false;
};

}  // namespace velloxa
