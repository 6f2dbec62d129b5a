#include "storage/background_writer.h"

#include <utility>

namespace orvell {

BackgroundWriter::~BackgroundWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void BackgroundWriter::post(Job job) {
    {
        std::lock_guard lock(mutex_);
        waiting_ = std::move(job);
    }
    changed_.notify_all();
    if (!thread_.joinable()) thread_ = std::thread(&BackgroundWriter::run, this);
}

void BackgroundWriter::waitUntilIdle() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !waiting_ && !running_; });
}

void BackgroundWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return waiting_ || stopping_; });
        if (!waiting_) return;
        Job job = std::move(*waiting_);
        waiting_.reset();
        running_ = true;
        lock.unlock();
        job();
        lock.lock();
        running_ = false;
        changed_.notify_all();
    }
}

}  // namespace orvell
