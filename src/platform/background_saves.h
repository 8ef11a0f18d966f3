// Saves that do not hold up the keys. Each save syncs twice, which takes
// several milliseconds on a disk (and far more on a busy one), and every
// Tab or Page Up saves: the syncs and the rename run on a worker thread.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "platform/posix_files.h"

namespace velloxa {

class BackgroundSaves : public PosixFiles {
  public:
    BackgroundSaves();
    ~BackgroundSaves() override;  // waits for the saves handed over
    BackgroundSaves(const BackgroundSaves&) = delete;
    BackgroundSaves& operator=(const BackgroundSaves&) = delete;

    // Writes the temporary file at once, so that a missing folder or a full
    // disk is reported as replace() reports it, and leaves the rest to the
    // worker. Saves are put in place in order; one still waiting when a
    // newer one for the same file comes is dropped. A failure of that later
    // part is thrown by the next call, after it has handed its own save over.
    void replace(const std::string& path, const std::string& data) override;
    // Returns once every save handed over is in place or has failed. Call it
    // before the program ends itself.
    void flush();

  private:
    void work();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<PendingSave> waiting_;
    bool writing_ = false;
    bool stopping_ = false;
    std::string late_failure_;
    std::thread worker_;  // last: started once the rest is ready
};

}  // namespace velloxa
