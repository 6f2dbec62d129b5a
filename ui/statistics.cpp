// The reading statistics: elapsed time, entries shown, speed and progress, every 500 ms.

#include <QLabel>
#include <QProgressBar>
#include <algorithm>

#include "ui/Unit1.h"
#include "ui/platform/clock.h"
#include "ui/platform/progress_state.h"
#include "ui/platform/timer.h"

namespace orvell {

namespace {

// At two ticks a second this takes more than 33 years; the counter must never overflow.
constexpr std::int32_t kTickLimit = 2'100'000'000;
constexpr std::int64_t kMsPerDay = 24 * 60 * 60 * 1000;

// The time of day that has passed since `start`, modulo a day: a reading that crosses
// midnight still shows how long it has lasted.
QTime elapsedTimeOfDay(const QTime& start, const QDateTime& now) {
    const std::int64_t ms = now.time().msecsSinceStartOfDay() - start.msecsSinceStartOfDay();
    return QTime::fromMSecsSinceStartOfDay(
        static_cast<int>((ms % kMsPerDay + kMsPerDay) % kMsPerDay));
}

// Entries shown per minute of reading (a tick is half a second), pauses included, rounded to
// the nearest integer with halves to the even one. Integer arithmetic keeps the halves exact.
std::int64_t speedFigure(std::int32_t shown, std::int32_t ticks) {
    const std::int64_t n = std::int64_t{shown} * 120;
    const std::int64_t q = n / ticks;
    const std::int64_t twiceRest = 2 * (n % ticks);
    if (twiceRest > ticks || (twiceRest == ticks && q % 2 != 0)) return q + 1;
    return q;
}

// Normal, paused, error, and back to normal: three clicks bring the first colour back.
platform::TProgressBarState nextBarState(platform::TProgressBarState state) {
    switch (state) {
        case platform::pbsNormal:
            return platform::pbsPaused;
        case platform::pbsPaused:
            return platform::pbsError;
        case platform::pbsError:
            break;
    }
    return platform::pbsNormal;
}

}  // namespace

void TForm1::Timer2Timer() {
    if (j2 > kTickLimit) Timer2->setEnabled(false);
    ++j2;
    const QTime start = platform::parseLongTime(vrem);
    Label13->setText(platform::formatLongTime(elapsedTimeOfDay(start, platform::now())));
    Label14->setText(QStringLiteral("%1 / %2").arg(sh).arg(k1 - 1));
    Label15->setText(QString::number(speedFigure(sh, j2)));
    // Before the first cutting ends, or for a text without entries, k1 - 1 is -1, which no
    // range can have; while a new text is cut, k1 is still the previous reading's count.
    const int maximum = std::max(k1 - 1, 0);
    ProgressBar1->setRange(0, maximum);
    ProgressBar1->setValue(std::clamp(sh, 0, maximum));
}

void TForm1::ProgressBar1MouseDown() {
    platform::setBarState(*ProgressBar1, nextBarState(platform::barState(*ProgressBar1)));
}

}  // namespace orvell
