#include "platform/background_saves.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <utility>

#include "platform/backup_name.h"

namespace velloxa {

struct BackgroundSaves::Queue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<PendingSave> waiting;
    bool writing = false;
    bool stopping = false;
    bool closed = false;
    bool told = false;
    std::optional<std::chrono::steady_clock::time_point> deadline;
    std::string late_failure;  // the reason
    std::string late_target;   // the file it was for
    bool idle() const { return waiting.empty() && !writing; }
};

BackgroundSaves::BackgroundSaves()
    : queue_(std::make_shared<Queue>()), worker_([queue = queue_] { work(queue); }) {}

BackgroundSaves::~BackgroundSaves() {
    close_within(kLastSavesLimit);
    bool idle = false;
    {
        std::lock_guard<std::mutex> lock(queue_->mutex);
        queue_->stopping = true;
        idle = queue_->idle();
        queue_->changed.notify_all();
    }
    // A worker stuck in a sync on a hung disk cannot be joined; it owns its
    // share of the queue and ends with the process.
    if (idle) {
        worker_.join();
    } else {
        worker_.detach();
    }
}

void BackgroundSaves::replace(const std::string& path, const std::string& data) {
    {
        std::lock_guard<std::mutex> lock(queue_->mutex);
        if (queue_->closed) return;
    }
    if (is_backup(path)) {  // mutate: backup-written-in-background
        DiskFiles::replace(path, data);
        return;
    }
    PendingSave save = begin_save(path, data);
    std::string failure;
    {
        std::lock_guard<std::mutex> lock(queue_->mutex);
        std::deque<PendingSave>& waiting = queue_->waiting;
        const auto older = std::remove_if(waiting.begin(), waiting.end(), [&](PendingSave& w) {
            if (w.target != save.target) return false;
            abandon_save(w);
            return true;
        });
        waiting.erase(older, waiting.end());
        waiting.push_back(std::move(save));
        failure = std::exchange(queue_->late_failure, std::string());
        queue_->changed.notify_all();
    }
    if (!failure.empty()) throw std::runtime_error(failure);
}

void BackgroundSaves::flush() {
    std::unique_lock<std::mutex> lock(queue_->mutex);
    queue_->changed.wait(lock, [this] { return queue_->idle(); });
}

std::string BackgroundSaves::close_within(std::chrono::milliseconds limit) {
    Queue& q = *queue_;
    std::unique_lock<std::mutex> lock(q.mutex);
    q.closed = true;
    if (!q.deadline) q.deadline = std::chrono::steady_clock::now() + limit;
    const bool done = q.changed.wait_until(lock, *q.deadline, [&q] { return q.idle(); });
    if (q.told) return "";
    q.told = true;
    if (!done)
        return "velloxa: the last progress was not saved: the disk did not finish it within " +
               std::to_string((limit.count() + 500) / 1000) + " s";
    if (!q.late_failure.empty())
        return "velloxa: the last progress could not be saved in " + folder_of(q.late_target) +
               ": " + q.late_failure;
    return "";
}

void BackgroundSaves::work(const std::shared_ptr<Queue>& queue) {
    Queue& q = *queue;
    std::unique_lock<std::mutex> lock(q.mutex);
    for (;;) {
        q.changed.wait(lock, [&q] { return q.stopping || !q.waiting.empty(); });
        // The saves handed over before the end still go in place.
        if (q.waiting.empty()) return;
        PendingSave save = std::move(q.waiting.front());
        q.waiting.pop_front();
        q.writing = true;
        lock.unlock();
        std::string failure;
        try {
            finish_save(save);
        } catch (const std::runtime_error& e) {
            failure = e.what();
        }
        lock.lock();
        q.writing = false;
        if (!failure.empty()) {
            q.late_failure = failure;
            q.late_target = save.target;
        }
        q.changed.notify_all();
    }
}

}  // namespace velloxa
