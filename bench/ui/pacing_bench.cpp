// Pacing precision of the real window, offscreen, with the real Timer1 at 1000 words per
// minute: each entry's actual display time (from its tick to the next) against the interval
// its tick set, for the welcome text read to its end and for the first entries of a text that
// fills the script, whose reading starts while the text is being cut (the cutting itself is
// over within about a second; reading the whole script would take hours).

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "bench/engine/generated_text.h"
#include "bench/summary.h"
#include "bench/ui/pacing_figures.h"
#include "bench/ui/pacing_recorder.h"
#include "engine/reading_script.h"
#include "ui/Unit1.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

namespace orvell::bench {
namespace {

constexpr int kSpeedIndex = 17;  // 1000 words per minute, j = 44
// Words of a long generated text: about a million entries.
constexpr std::size_t kFullScriptWords = 850'000;
// The welcome text is read to its end.
constexpr std::size_t kWholeText = static_cast<std::size_t>(ReadingScript::kMaxEntries);
// Entries of the full text read in real time, about a minute at this speed.
constexpr std::size_t kDefaultFullTextEntries = 1'000;

// Starts a reading of what Memo1 holds with the start command, and lets it run until it ends
// or `maxEntries` entries have been shown; then pauses it and waits for the cutting to end.
PacingFigures read(TForm1& form, PacingRecorder& recorder, std::size_t maxEntries) {
    using Clock = std::chrono::steady_clock;
    recorder.clear();
    QEventLoop loop;
    recorder.onEntry([&](std::size_t n) {
        if (n >= maxEntries && form.Timer1->enabled()) form.SpeedButton2->click();
        if (!form.Timer1->enabled()) loop.quit();
    });
    Clock::time_point start;
    Clock::time_point cutEnd;
    QTimer::singleShot(0, &form, [&] {
        start = Clock::now();
        form.SpeedButton1->click();  // returns when the whole text is cut
        cutEnd = Clock::now();
    });
    loop.exec();
    recorder.onEntry({});

    std::size_t shownWhileCutting = 0;
    for (const ShownEntry& e : recorder.entries()) shownWhileCutting += e.moment < cutEnd;
    std::printf("  %zu entries shown, %zu of them while the cutting ran (%.2f s)\n",
                recorder.entries().size(), shownWhileCutting,
                std::chrono::duration<double>(cutEnd - start).count());
    if (recorder.waitingTicks() > 0)
        std::printf("  %zu ticks found their entry not cut yet\n", recorder.waitingTicks());
    return pacingFigures(recorder.entries(), start, form.reading().j());
}

std::size_t fullTextEntries(int argc, char** argv) {
    constexpr const char* kOption = "--entries=";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], kOption, std::strlen(kOption)) == 0)
            return std::strtoul(argv[i] + std::strlen(kOption), nullptr, 10);
    return kDefaultFullTextEntries;
}

}  // namespace
}  // namespace orvell::bench

int main(int argc, char** argv) {
    using namespace orvell;
    using namespace orvell::bench;
    QApplication app(argc, argv);
    const std::size_t entries = fullTextEntries(argc, argv);

    // The window loads and saves library.txt in the current folder: an empty vocabulary of
    // this run's own, so learning mode (on, as the window starts) doubles every new root.
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    std::vector<std::pair<std::string, PacingFigures>> rows;
    {
        TForm1 form;
        form.show();
        form.ComboBox1->setCurrentIndex(kSpeedIndex);
        PacingRecorder recorder(form);

        std::printf("welcome text, learning mode on, empty vocabulary\n");
        rows.emplace_back("welcome text", read(form, recorder, kWholeText));

        std::printf("long text of %zu words, first %zu entries\n", kFullScriptWords, entries);
        form.Memo1->setPlainText(QString::fromStdU16String(generatedText(kFullScriptWords)));
        rows.emplace_back("full script, first entries", read(form, recorder, entries));
    }
    QDir::setCurrent(previous);

    printTable(rows);
    const PacingFigures worse = worseOf(rows[0].second, rows[1].second);
    reportFigure("pacing_median_error_ms", worse.medianErrorMs);
    reportFigure("pacing_p99_error_ms", worse.p99ErrorMs);
    reportFigure("pacing_max_error_ms", worse.maxErrorMs);
    reportFigure("pacing_drift_percent", worse.driftPercent);
    reportFigure("first_entry_delay_error_ms", rows[1].second.firstEntryErrorMs);
    return 0;
}
