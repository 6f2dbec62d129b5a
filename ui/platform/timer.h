#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <optional>

namespace orvell::platform {

// A window timer: an enabled flag and an interval in milliseconds. Enabling starts a full
// period; writing the flag or the interval with the value it already has changes nothing;
// a new interval on a running timer restarts its period from that moment. An unchanged
// interval keeps the rhythm: each period runs from the moment the previous one was due.
//
// QTimer counts whole milliseconds from the moment it is started, and the event loop may
// wake up to a millisecond after that; the pacing would show both as late entries and as a
// drift of the reading. So the timer keeps its own due moment, lets QTimer wake it shortly
// before, and sleeps the last part of the period. A new interval written by a tick that came
// on time restarts the period from the moment the tick was due, so that the few microseconds
// the tick takes do not add up over a reading.
class Timer : public QObject {
    Q_OBJECT

  public:
    Timer(const QString& name, std::uint32_t interval, QObject* parent);

    bool enabled() const { return enabled_; }
    void setEnabled(bool on);

    std::uint32_t interval() const { return interval_; }
    void setInterval(std::uint32_t ms);

    // While held, no timer ticks by itself, so that a test firing ticks counts only its own:
    // on a slow machine a running timer may otherwise tick between them.
    static void holdTicksForTesting(bool held);

  signals:
    void tick();

  private:
    using Clock = std::chrono::steady_clock;

    // Starts a period of the current interval from `from`.
    void startPeriod(Clock::time_point from);
    // Lets QTimer wake us up shortly before the due moment.
    void wakeBeforeDue();
    void onWakeUp();

    // Where a new interval written now starts its period.
    Clock::time_point restartMoment() const;

    QTimer wakeUp_;
    std::uint32_t interval_;
    bool enabled_ = false;
    Clock::time_point due_;
    // While a tick runs: the moment it was due.
    std::optional<Clock::time_point> tickDue_;
};

}  // namespace orvell::platform
