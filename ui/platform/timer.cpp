#include "platform/timer.h"

#include <algorithm>
#include <limits>

namespace orvell::platform {

namespace {
// QTimer takes a signed interval.
int qtInterval(std::uint32_t ms) {
    return static_cast<int>(std::min<std::uint32_t>(ms, std::numeric_limits<int>::max()));
}
}  // namespace

Timer::Timer(const QString& name, std::uint32_t interval, QObject* parent)
    : QObject(parent), interval_(interval) {
    setObjectName(name);
    // The coarse default may fire 5% early or late, which the pacing would show.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(qtInterval(interval));
    connect(&timer_, &QTimer::timeout, this, &Timer::tick);
}

void Timer::setEnabled(bool on) {
    if (on == enabled()) return;
    if (on)
        timer_.start();
    else
        timer_.stop();
}

void Timer::setInterval(std::uint32_t ms) {
    // QTimer restarts the period even for an unchanged value.
    if (ms == interval_) return;
    interval_ = ms;
    timer_.setInterval(qtInterval(ms));
}

}  // namespace orvell::platform
