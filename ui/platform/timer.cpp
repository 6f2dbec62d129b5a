#include "ui/platform/timer.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "ui/platform/fine_sleep.h"

namespace orvell::platform {

namespace {

using Ms = std::chrono::milliseconds;

// How long before the due moment QTimer wakes us: its whole-millisecond count and the event
// loop's rounding of the wait up to the next millisecond together stay within it.
constexpr Ms kWakeEarly{2};
// A wake-up further than this from the due moment waits again instead of sleeping.
constexpr Ms kLongestSleep{3};
// A write this long after its tick was due restarts the period from the write itself.
constexpr std::chrono::microseconds kOnTime{500};

bool& ticksHeld() {
    static bool held = false;
    return held;
}

// QTimer takes a signed interval.
int qtInterval(Ms ms) {
    return static_cast<int>(std::clamp<Ms::rep>(ms.count(), 0, std::numeric_limits<int>::max()));
}

}  // namespace

Timer::Timer(const QString& name, std::uint32_t interval, QObject* parent)
    : QObject(parent), interval_(interval) {
    setObjectName(name);
    // The coarse default may fire 5% early or late.
    wakeUp_.setTimerType(Qt::PreciseTimer);
    wakeUp_.setSingleShot(true);
    connect(&wakeUp_, &QTimer::timeout, this, &Timer::onWakeUp);
}

void Timer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on)
        startPeriod(Clock::now());
    else
        wakeUp_.stop();
}

void Timer::setInterval(std::uint32_t ms) {
    if (ms == interval_) return;
    interval_ = ms;
    if (enabled_) startPeriod(restartMoment());
}

Timer::Clock::time_point Timer::restartMoment() const {
    const Clock::time_point now = Clock::now();
    return tickDue_ && now - *tickDue_ <= kOnTime ? *tickDue_ : now;
}

void Timer::startPeriod(Clock::time_point from) {
    due_ = from + Ms(interval_);
    wakeBeforeDue();
}

void Timer::wakeBeforeDue() {
    const auto left = std::chrono::floor<Ms>(due_ - Clock::now()) - kWakeEarly;
    wakeUp_.start(qtInterval(left));
}

void Timer::holdTicksForTesting(bool held) { ticksHeld() = held; }

void Timer::onWakeUp() {
    if (ticksHeld()) {
        startPeriod(Clock::now());
        return;
    }
    if (due_ - Clock::now() > kLongestSleep) {
        wakeBeforeDue();
        return;
    }
    sleepUntil(due_);
    const Clock::time_point dueNow = due_;
    const Clock::time_point now = Clock::now();
    // The next period runs from this one's due moment, unless that has already passed.
    const Clock::time_point next = dueNow + Ms(interval_);
    due_ = next > now ? next : now + Ms(interval_);

    const auto outer = std::exchange(tickDue_, dueNow);
    emit tick();
    tickDue_ = outer;
    // A tick that restarted or stopped the timer has already seen to the next wake-up.
    if (enabled_ && !wakeUp_.isActive()) wakeBeforeDue();
}

}  // namespace orvell::platform
