// Saves that do not hold up the keys. Each save syncs twice, which takes
// several milliseconds on a disk (and far more on a busy one), and every
// Tab or Page Up saves: the syncs and the rename run on a worker thread.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "platform/disk_files.h"

namespace velloxa {

// How long the way out of the program waits for the saves handed over. A
// disk that has not finished by then is given up on: the rename that did
// not happen leaves the old file whole.
inline constexpr std::chrono::milliseconds kLastSavesLimit{2000};

class BackgroundSaves : public DiskFiles {
  public:
    BackgroundSaves();
    // Waits for the saves handed over as close_within(kLastSavesLimit) does;
    // a worker still held up by the disk then is left to the process's end.
    ~BackgroundSaves() override;
    BackgroundSaves(const BackgroundSaves&) = delete;
    BackgroundSaves& operator=(const BackgroundSaves&) = delete;

    // Writes the temporary file at once, so that a missing folder or a full
    // disk is reported as replace() reports it, and leaves the rest to the
    // worker. Saves are put in place in order; one still waiting when a
    // newer one for the same file comes is dropped. A failure of that later
    // part is thrown by the next call, after it has handed its own save over.
    // A backup (`name.bak`) is put in place and synced before this returns:
    // it holds the only copy of what a damaged file had, so no save of that
    // file may overtake it, and its failure must reach the game at once (the
    // game then keeps the file as it is and tries the backup again).
    // Once closed, it does nothing.
    void replace(const std::string& path, const std::string& data) override;
    // Returns once every save handed over is in place or has failed.
    void flush();
    // For the way out: takes no more saves and waits for those handed over,
    // at most until `limit` after the first call. Returns what the player
    // is to be told about them, once: empty when they are all in place.
    std::string close_within(std::chrono::milliseconds limit);

  private:
    struct Queue;
    static void work(const std::shared_ptr<Queue>& queue);

    // Shared with the worker, which may outlive this object on a hung disk.
    std::shared_ptr<Queue> queue_;
    std::thread worker_;  // last: started once the rest is ready
};

}  // namespace velloxa
