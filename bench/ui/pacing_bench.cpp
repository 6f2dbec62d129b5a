// Pacing precision of the real window, offscreen, with the real Timer1 at 1000 words per
// minute: each entry's actual display time (from its tick to the next) against the interval
// its tick set, for the welcome text read to its end and for the first entries of a text that
// fills the script, whose reading starts while the text is being cut (the cutting itself is
// over within about a second; reading the whole script would take hours). A third reading of
// the large text starts from a vocabulary of a million roots and runs across several
// autosaves, each of which is timed on the window's thread.

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <ranges>
#include <span>
#include <string>
#include <string_view>

#include "bench/engine/generated_text.h"
#include "bench/summary.h"
#include "bench/ui/pacing_figures.h"
#include "bench/ui/pacing_recorder.h"
#include "bench/vocabulary/large_library.h"
#include "engine/reading_script.h"
#include "tests/ui/scratch_folder.h"
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
constexpr std::size_t kLargeVocabulary = 1'000'000;
// The autosave comes three times as often as in the program, so that a reading of well under
// a minute spans the autosaves measured.
constexpr std::chrono::milliseconds kAutosaveInterval{10'000};
constexpr std::size_t kAutosaves = 3;
// Far more than reading a million roots takes, even on a loaded machine.
constexpr std::chrono::milliseconds kVocabularyLoadTime{5'000};
// Entries read after the last autosave measured, so that its effect on the pacing is seen.
constexpr std::size_t kEntriesAfterAutosaves = 50;
// And at least this many in all, so that the 99th percentile is not one of a handful of late
// wake-ups that any program on a shared machine sees now and then.
constexpr std::size_t kLeastEntriesWithVocabulary = 1'200;

using Clock = std::chrono::steady_clock;

// Takes the autosave's rhythm over from the window: the window's own Timer3 is set far out, and
// every `interval` this meter sends Timer3's tick itself while the window has it enabled, as the
// timer would, keeping how long each autosave held the window's thread.
class AutosaveMeter {
  public:
    AutosaveMeter(TForm1& form, std::chrono::milliseconds interval) {
        constexpr std::uint32_t kNever = 24 * 60 * 60 * 1000;
        form.Timer3->setInterval(kNever);
        rhythm_.callOnTimeout([this, &form] {
            if (!form.Timer3->enabled()) return;
            const Clock::time_point start = Clock::now();
            emit form.Timer3->tick();
            blocks_.emplace_back(Clock::now() - start);
        });
        rhythm_.start(interval);
    }
    std::size_t count() const { return blocks_.size(); }
    double longestMs() const {
        double longest = 0;
        for (auto block : blocks_) longest = std::max(longest, block.count());
        return longest;
    }

  private:
    QTimer rhythm_;
    std::vector<std::chrono::duration<double, std::milli>> blocks_;
};

// Starts a reading of what Memo1 holds with the start command, and lets it run until it ends,
// `maxEntries` entries have been shown or `enough` says so; then pauses it and waits for the
// cutting to end.
PacingFigures read(TForm1& form, PacingRecorder& recorder, std::size_t maxEntries,
                   const std::function<bool()>& enough = {}) {
    recorder.clear();
    QEventLoop loop;
    recorder.onEntry([&](std::size_t n) {
        if ((n >= maxEntries || (enough && enough())) && form.Timer1->enabled())
            form.SpeedButton2->click();
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

void waitForEvents(std::chrono::milliseconds time) {
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
}

std::size_t lineCount(const char* file) {
    std::ifstream in(file, std::ios::binary);
    return static_cast<std::size_t>(
        std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n'));
}

std::size_t fullTextEntries(std::span<char* const> args) {
    constexpr std::string_view kOption = "--entries=";
    for (const std::string_view arg : args | std::views::drop(1)) {
        if (!arg.starts_with(kOption)) continue;
        const std::string_view value = arg.substr(kOption.size());
        std::size_t entries = 0;  // stays 0 when the value is no number
        std::from_chars(value.begin(), value.end(), entries);
        return entries;
    }
    return kDefaultFullTextEntries;
}

}  // namespace
}  // namespace orvell::bench

int main(int argc, char** argv) {
    using namespace orvell;
    using namespace orvell::bench;
    QApplication app(argc, argv);
    // Places and settings go to a test folder, never the user's own, and start from the defaults.
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                  QStringLiteral("/settings.ini"));
    const std::size_t entries = fullTextEntries(std::span(argv, static_cast<std::size_t>(argc)));

    std::vector<std::pair<std::string, PacingFigures>> rows;
    {
        // An empty vocabulary, so learning mode (on, as the window starts) doubles every new
        // root.
        const test::ScratchFolder folder;
        TForm1 form;
        form.show();
        form.ComboBox1->setCurrentIndex(kSpeedIndex);
        PacingRecorder recorder(form);

        std::printf("welcome text, learning mode on, empty vocabulary\n");
        rows.emplace_back("welcome text", read(form, recorder, kWholeText));

        std::printf("long text of %zu words, first %zu entries\n", kFullScriptWords, entries);
        form.Memo1->setPlainText(QString::fromStdU16String(generatedText(kFullScriptWords)));
        rows.emplace_back("full script, first entries", read(form, recorder, entries));

        // Joined words take the time of each word: the flashes are fewer and longer.
        for (const int words : {2, 3}) {
            Settings settings;
            settings.reading.flash.words = words;
            form.applySettings(settings);
            // As an edit does, so that the start button starts a new reading.
            form.Memo1->setPlainText(QString::fromStdU16String(generatedText(kFullScriptWords)));
            std::printf("long text, %d words per flash, first %zu flashes\n", words, entries / 2);
            rows.emplace_back("full script, " + std::to_string(words) + " words per flash",
                              read(form, recorder, entries / 2));
        }
        form.applySettings(Settings{});
    }
    // The same text from a vocabulary of a million roots, read across several autosaves.
    double autosaveBlockMs = 0;
    {
        const test::ScratchFolder largeFolder;
        writeLargeLibrary("library.txt", kLargeVocabulary);
        {
            TForm1 form;
            form.show();
            // The reading measured is a steady one: the vocabulary is read in the background while
            // the window already answers, and the first lookup would wait for the rest of it.
            waitForEvents(kVocabularyLoadTime);
            form.ComboBox1->setCurrentIndex(kSpeedIndex);
            PacingRecorder recorder(form);
            AutosaveMeter autosaves(form, kAutosaveInterval);
            std::printf(
                "full script, vocabulary of %zu roots, until %zu autosaves and %zu entries\n",
                kLargeVocabulary, kAutosaves, kLeastEntriesWithVocabulary);
            form.Memo1->setPlainText(QString::fromStdU16String(generatedText(kFullScriptWords)));
            std::optional<std::size_t> entriesAtLastSave;
            const PacingFigures figures = read(form, recorder, kWholeText, [&] {
                if (autosaves.count() >= kAutosaves && !entriesAtLastSave)
                    entriesAtLastSave = recorder.entries().size();
                return entriesAtLastSave &&
                       recorder.entries().size() >=
                           std::max(*entriesAtLastSave + kEntriesAfterAutosaves,
                                    kLeastEntriesWithVocabulary);
            });
            rows.emplace_back("full script, 10^6 roots", figures);
            std::printf("  %zu autosaves, the longest held the window %.3f ms\n", autosaves.count(),
                        autosaves.longestMs());
            autosaveBlockMs = autosaves.longestMs();
        }
        // The save at exit writes every root the window knew: all of the file, had it been read.
        if (const std::size_t roots = lineCount("library.txt"); roots < kLargeVocabulary) {
            std::fprintf(stderr, "library.txt gave %zu roots\n", roots);
            return 1;
        }
    }

    printTable(rows);
    const PacingFigures worse = worseOf(rows[0].second, rows[1].second);
    const PacingFigures joined = worseOf(rows[2].second, rows[3].second);
    reportFigure("pacing_median_error_ms", worse.medianErrorMs);
    reportFigure("pacing_p99_error_ms", worse.p99ErrorMs);
    reportFigure("pacing_max_error_ms", worse.maxErrorMs);
    reportFigure("pacing_drift_percent", worse.driftPercent);
    reportFigure("first_entry_delay_error_ms", rows[1].second.firstEntryErrorMs);
    reportFigure("pacing_p99_error_ms_2_3_words", joined.p99ErrorMs);
    reportFigure("pacing_drift_percent_2_3_words", joined.driftPercent);
    reportFigure("pacing_max_error_ms_vocab_1e6", rows[4].second.maxErrorMs);
    reportFigure("pacing_p99_error_ms_vocab_1e6", rows[4].second.p99ErrorMs);
    reportFigure("autosave_ui_block_ms_at_1e6", autosaveBlockMs);
    return 0;
}
