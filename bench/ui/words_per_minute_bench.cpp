// With the speed in words per minute, the words a real reading shows in a minute against the
// speed chosen: the window offscreen with the real Timer1, learning mode off, a generated text
// of sentences, paragraphs and long words read for over a thousand entries at 300 and at 1000
// words per minute.

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFile>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "bench/engine/generated_text.h"
#include "bench/summary.h"
#include "bench/ui/pacing_recorder.h"
#include "tests/ui/scratch_folder.h"
#include "ui/Unit1.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

namespace orvell::bench {
namespace {

constexpr std::size_t kWords = 1'500;
constexpr std::size_t kEntries = 1'100;  // entries measured, pauses included
// Far more than the slowest reading takes.
constexpr std::chrono::minutes kGiveUp{6};

using Clock = std::chrono::steady_clock;

// Entries per minute shown from the first tick to the tick of entry kEntries; 0 when the
// reading did not get that far.
double readAt(int speed) {
    const test::ScratchFolder folder;
    TForm1 form;
    form.show();
    Settings settings;
    settings.reading.speed.wordsPerMinute = true;
    form.applySettings(settings);
    form.ComboBox1->setSpeed(speed);
    form.CheckBox1->setChecked(false);  // not clicked: a click explains the mode in a box
    form.Memo1->setPlainText(QString::fromStdU16String(generatedText(kWords)));

    PacingRecorder recorder(form);
    QEventLoop loop;
    Clock::time_point first;
    std::int32_t firstEntry = 0;
    double perMinute = 0;
    recorder.onEntry([&](std::size_t n) {
        const std::int32_t sh = form.reading().sh();
        if (n == 1) {
            first = recorder.entries().front().moment;
            firstEntry = sh;
        } else if (sh - firstEntry >= static_cast<std::int32_t>(kEntries)) {
            const std::chrono::duration<double, std::ratio<60>> took =
                recorder.entries().back().moment - first;
            perMinute = (sh - firstEntry) / took.count();
            loop.quit();
        }
        if (!form.Timer1->enabled()) loop.quit();
    });
    QTimer::singleShot(0, &form, [&] { form.SpeedButton1->click(); });
    QTimer::singleShot(kGiveUp, &loop, &QEventLoop::quit);
    loop.exec();
    return perMinute;
}

}  // namespace
}  // namespace orvell::bench

int main(int argc, char** argv) {
    using namespace orvell::bench;
    QApplication app(argc, argv);
    // Places and settings go to a test folder, never the user's own, and start from the defaults.
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                  QStringLiteral("/settings.ini"));
    double worstPercent = 0;
    for (const int speed : {300, 1000}) {
        const double measured = readAt(speed);
        if (measured == 0) {
            std::fprintf(stderr, "the reading at %d did not reach %zu entries\n", speed, kEntries);
            return 1;
        }
        const double errorPercent = std::abs(measured - speed) / speed * 100;
        std::printf("%d words per minute chosen: %.1f shown per minute (%.2f %%)\n", speed,
                    measured, errorPercent);
        worstPercent = std::max(worstPercent, errorPercent);
    }
    reportFigure("words_per_minute_error_percent", worstPercent);
    return 0;
}
