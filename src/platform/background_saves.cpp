#include "platform/background_saves.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace velloxa {

BackgroundSaves::BackgroundSaves() : worker_([this] { work(); }) {}

BackgroundSaves::~BackgroundSaves() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        changed_.notify_all();
    }
    worker_.join();
}

void BackgroundSaves::replace(const std::string& path, const std::string& data) {
    PendingSave save = begin_save(path, data);
    std::string failure;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const auto older = std::remove_if(waiting_.begin(), waiting_.end(), [&](PendingSave& w) {
            if (w.target != save.target) return false;
            abandon_save(w);
            return true;
        });
        waiting_.erase(older, waiting_.end());
        waiting_.push_back(std::move(save));
        failure = std::exchange(late_failure_, std::string());
        changed_.notify_all();
    }
    if (!failure.empty()) throw std::runtime_error(failure);
}

void BackgroundSaves::flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.empty() && !writing_; });
}

void BackgroundSaves::work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        // The saves handed over before the end still go in place.
        if (waiting_.empty()) return;
        PendingSave save = std::move(waiting_.front());
        waiting_.pop_front();
        writing_ = true;
        lock.unlock();
        std::string failure;
        try {
            finish_save(save);
        } catch (const std::runtime_error& e) {
            failure = e.what();
        }
        lock.lock();
        writing_ = false;
        if (!failure.empty()) late_failure_ = failure;
        changed_.notify_all();
    }
}

}  // namespace velloxa
