// How the backup of a file is named: `name.bak` keeps what `name` held.
#pragma once

#include <string>

namespace velloxa {

inline constexpr const char* kBackupSuffix = ".bak";

inline bool is_backup(const std::string& path) {
    return path.ends_with(kBackupSuffix);
}

// The file a backup keeps.
inline std::string backed_up_file(const std::string& backup) {
    return backup.substr(0, backup.size() - std::string(kBackupSuffix).size());
}

}  // namespace velloxa
