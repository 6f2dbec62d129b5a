// The time left that the reading core works out, against the time a real reading in the
// window, offscreen with the real Timer1, then takes to reach the end of the text: about a
// minute of reading at 1000 words per minute, learning mode off.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "bench/engine/generated_text.h"
#include "bench/summary.h"
#include "bench/ui/pacing_recorder.h"
#include "engine/speed_table.h"
#include "tests/ui/scratch_folder.h"
#include "ui/Unit1.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

namespace orvell::bench {
namespace {

constexpr int kSpeedIndex = kSpeedRows - 1;  // 1000 words per minute, the last item
// About 1.28 entries a word: enough words for the entries below.
constexpr std::size_t kWords = 900;
constexpr std::int32_t kLeastEntries = 1'100;
// Far more than the reading takes, so that a reading that never ends still stops the program.
constexpr std::chrono::minutes kGiveUp{3};

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

// One reading to the end: the time left estimated at its start against the time it took.
struct EstimateRun {
    double estimateMs = 0;
    double measuredMs = 0;
    std::size_t entriesShown = 0;
    std::int32_t entries = 0;  // k1
    bool ended = false;
};

// Starts the reading of what Memo1 holds, takes the estimate as soon as the cutting is over
// and times the rest of the reading up to the tick that ends it.
EstimateRun readToTheEnd(TForm1& form) {
    PacingRecorder recorder(form);
    QEventLoop loop;
    recorder.onEntry([&](std::size_t) {
        if (!form.Timer1->enabled()) loop.quit();
    });
    EstimateRun result;
    Clock::time_point estimated;
    QTimer::singleShot(0, &form, [&] {
        form.SpeedButton1->click();  // returns when the whole text is cut
        const ReadingCore& reading = form.reading();
        if (reading.cutting()) {
            loop.quit();
            return;
        }
        result.entries = reading.k1();
        result.estimateMs = static_cast<double>(
            reading.displayMs(reading.sh(), reading.k1(), [](const DisplayEntry&) { return 1; }));
        estimated = Clock::now();
        recorder.clear();  // the entries counted are those of the time measured
    });
    QTimer::singleShot(kGiveUp, &loop, &QEventLoop::quit);
    loop.exec();
    result.ended =
        !form.Timer1->enabled() && form.SpeedButton1->isEnabled() && !recorder.entries().empty();
    if (result.ended) {
        result.entriesShown = recorder.entries().size();
        result.measuredMs = Ms(recorder.entries().back().moment - estimated).count();
    }
    return result;
}

}  // namespace
}  // namespace orvell::bench

int main(int argc, char** argv) {
    using namespace orvell;
    using namespace orvell::bench;
    QApplication app(argc, argv);
    EstimateRun t;
    {
        const test::ScratchFolder folder;
        TForm1 form;
        form.show();
        form.ComboBox1->setCurrentIndex(kSpeedIndex);
        form.CheckBox1->setChecked(false);  // not clicked: a click explains the mode in a box
        form.Memo1->setPlainText(QString::fromStdU16String(generatedText(kWords)));
        t = readToTheEnd(form);
    }

    if (!t.ended || t.entries < kLeastEntries) {
        std::fprintf(stderr, "the reading of %d entries did not run to its end\n", t.entries);
        return 1;
    }
    std::printf("%d entries, %zu shown after the estimate: estimated %.0f ms, measured %.0f ms\n",
                t.entries, t.entriesShown, t.estimateMs, t.measuredMs);
    reportFigure("time_left_error_percent",
                 std::abs(t.measuredMs - t.estimateMs) / t.measuredMs * 100);
    return 0;
}
