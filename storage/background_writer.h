#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace orvell {

// One thread that runs the saves handed to it, one at a time, in the order handed over, so
// saves never overlap and a later one always writes last. A save handed over while another
// still waits to start takes its place: a save writes all there is to save as of when it was
// handed over, so the later one holds everything the waiting one would have written. The
// thread starts with the first job.
class BackgroundWriter {
  public:
    using Job = std::function<void()>;

    BackgroundWriter() = default;
    // Runs what is running and waiting to its end.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    void post(Job job);
    // Returns once every job handed over so far has run.
    void waitUntilIdle();

  private:
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Job> waiting_;
    bool running_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace orvell
