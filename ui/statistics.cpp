// The reading statistics: elapsed time, entries shown, speed and progress, every 500 ms.

#include <QLabel>
#include <QProgressBar>

#include "ui/Unit1.h"
#include "ui/platform/clock.h"
#include "ui/platform/progress_state.h"
#include "ui/platform/timer.h"

namespace orvell {

namespace {

constexpr std::int64_t kMsPerDay = std::int64_t{24} * 60 * 60 * 1000;

// The time of day that has passed since `start`, modulo a day: a reading that crosses
// midnight still shows how long it has lasted.
QTime elapsedTimeOfDay(const QTime& start, const QDateTime& now) {
    const std::int64_t ms = now.time().msecsSinceStartOfDay() - start.msecsSinceStartOfDay();
    return QTime::fromMSecsSinceStartOfDay(
        static_cast<int>((ms % kMsPerDay + kMsPerDay) % kMsPerDay));
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
    const Statistics figures = session_.core().statisticsTick();
    if (figures.lastTick) Timer2->setEnabled(false);
    const QTime start = platform::parseLongTime(vrem);
    Label13->setText(platform::formatLongTime(elapsedTimeOfDay(start, platform::now())));
    Label14->setText(QString::fromStdString(figures.entries));
    Label15->setText(QString::number(figures.speed));
    ProgressBar1->setRange(0, figures.barMaximum);
    ProgressBar1->setValue(figures.barPosition);
}

void TForm1::ProgressBar1MouseDown() {
    platform::setBarState(*ProgressBar1, nextBarState(platform::barState(*ProgressBar1)));
}

}  // namespace orvell
