// Files on a POSIX system.
#pragma once

#include <string>

#include "io/platform.h"

namespace velloxa {

class DiskFiles : public FileStore {
  public:
    bool exists(const std::string& path) override;
    // Only a regular file is read: a FIFO or a device is not even waited on.
    std::optional<std::string> read(const std::string& path) override;
    // Never through a symbolic link: one at `path` is replaced by a file.
    // Neither does it wait for a FIFO's reader.
    bool append_line(const std::string& path, const std::string& line) override;
    // A `path` that is a symbolic link has its target replaced (a player may
    // keep the file in a synced folder); the file keeps its permissions, and
    // the folder is synced too, so that the rename survives a power cut.
    // A backup (`name.bak`) is the exception: a link at its name is replaced
    // by the file, never followed, and it takes the mode of `name`. A new
    // file gets the mode the umask leaves.
    void replace(const std::string& path, const std::string& data) override;
};

// A save written to its temporary file but not yet in place.
struct PendingSave {
    std::string target;     // the file to replace, links followed
    std::string temporary;  // beside it; empty once renamed or given up
    int fd = -1;            // the temporary file, while open
};

// The steps of replace(). begin_save() does all that can fail for want of
// room or permission, and throws as replace() does; finish_save() syncs and
// renames (also throwing), abandon_save() removes what was begun.
PendingSave begin_save(const std::string& path, const std::string& data);
void finish_save(PendingSave& save);
void abandon_save(PendingSave& save);

// The file a path stands for once symbolic links are followed; the path
// itself when it is no link. Throws std::runtime_error for a loop of links.
std::string link_target(const std::string& path);

// The folder that holds `path`.
std::string folder_of(const std::string& path);

// The file replace(path) puts in place: the link's target, except for a
// backup, which is put at its own name.
std::string replaced_file(const std::string& path);

// Removes the temporary files replace() leaves beside `path` when it is
// killed mid-way. Only call this while no other process may be saving.
void remove_leftover_temporaries(const std::string& path);

}  // namespace velloxa
