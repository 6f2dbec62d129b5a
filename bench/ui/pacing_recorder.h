#pragma once

#include <QMetaObject>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace orvell {
class TForm1;
}

namespace orvell::bench {

// One entry the pacing tick put on display: when, and the interval the tick set for it.
struct ShownEntry {
    std::chrono::steady_clock::time_point moment;
    std::uint32_t interval = 0;
};

// Listens to Timer1 after the window's own tick handler: every tick that showed an entry is
// recorded with the moment it finished and the interval it left on the timer.
class PacingRecorder {
  public:
    explicit PacingRecorder(TForm1& form);
    ~PacingRecorder();
    PacingRecorder(const PacingRecorder&) = delete;
    PacingRecorder& operator=(const PacingRecorder&) = delete;

    // Forgets what was recorded; the next reading starts from slot 0.
    void clear();
    // Called after each recorded entry, with the number recorded so far.
    void onEntry(std::function<void(std::size_t)> observer) { observer_ = std::move(observer); }

    const std::vector<ShownEntry>& entries() const { return entries_; }
    // Ticks that found the entry not cut yet and showed nothing.
    std::size_t waitingTicks() const { return waitingTicks_; }

  private:
    void afterTick();

    TForm1& form_;
    QMetaObject::Connection connection_;
    std::vector<ShownEntry> entries_;
    std::size_t waitingTicks_ = 0;
    std::int32_t previousSh_ = 0;
    std::function<void(std::size_t)> observer_;
};

}  // namespace orvell::bench
