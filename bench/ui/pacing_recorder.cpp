#include "bench/ui/pacing_recorder.h"

#include "ui/Unit1.h"
#include "ui/platform/timer.h"

namespace orvell::bench {

PacingRecorder::PacingRecorder(TForm1& form) : form_(form) {
    // Connected after the window's own handler, so it runs right after each tick.
    connection_ = QObject::connect(form.Timer1, &platform::Timer::tick, [this] { afterTick(); });
}

PacingRecorder::~PacingRecorder() { QObject::disconnect(connection_); }

void PacingRecorder::clear() {
    entries_.clear();
    waitingTicks_ = 0;
    previousSh_ = 0;
}

void PacingRecorder::afterTick() {
    const auto moment = std::chrono::steady_clock::now();
    // A tick either advances sh or ends the reading; one that does neither waited.
    const std::int32_t sh = form_.reading().sh();
    const bool shown = sh != previousSh_ || !form_.Timer1->enabled();
    previousSh_ = sh;
    if (!shown) {
        ++waitingTicks_;
        return;
    }
    entries_.push_back({moment, form_.Timer1->interval()});
    if (observer_) observer_(entries_.size());
}

}  // namespace orvell::bench
