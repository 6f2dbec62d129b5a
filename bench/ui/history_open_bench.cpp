// Opening the history window over 100,000 sittings of three years and 50 books: from making
// the window to its three charts drawn, on its first period (30 days) and on all the time.

#include <qcustomplot.h>
#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/summary.h"
#include "history/database.h"
#include "history/iso_time.h"
#include "history/reading_history.h"
#include "ui/history_window.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSittings = 100'000;
constexpr int kBooks = 50;
constexpr int kRuns = 7;

// Sittings spread evenly over the three years up to now, each over a book, a pasted text now
// and then, with speeds and a vocabulary that grow.
void fill(const std::filesystem::path& folder) {
    {
        orvell::ReadingHistory history(folder);
        if (!history.open().on()) throw std::runtime_error("the history did not open");
    }
    orvell::history_db::Database db(folder / orvell::ReadingHistory::kFileName, 2000);
    orvell::history_db::Transaction transaction(db);
    // A statement runs once: each row prepares its own.
    for (int b = 0; b < kBooks; ++b) {
        db.prepare("INSERT INTO books (book, title, file, words) VALUES (?1, ?2, ?3, ?4)")
            .bind(1, "book" + std::to_string(b))
            .bind(2, "Книга " + std::to_string(b))
            .bind(3, "/книги/" + std::to_string(b) + ".fb2")
            .bind(4, std::int64_t{200'000})
            .run();
    }
    constexpr const char* kSitting =
        "INSERT INTO sittings (started_at, ended_at, book, title, first_entry, last_entry, "
        "words, active_ms, speed, new_roots, roots_total) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)";
    const auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    const std::chrono::seconds step = std::chrono::seconds(std::chrono::days(3 * 365)) / kSittings;
    for (int i = 0; i < kSittings; ++i) {
        const auto start = now - std::chrono::days(3 * 365) + i * step;
        const std::int64_t words = 300 + i % 700;
        const std::int64_t speed = 250 + i / 1000;
        db.prepare(kSitting)
            .bind(1, orvell::isoTime(start))
            .bind(2, orvell::isoTime(start + std::chrono::minutes(5)))
            .bindOptional(
                3, i % 10 == 0 ? std::nullopt : std::optional("book" + std::to_string(i % kBooks)))
            .bind(4, "Книга " + std::to_string(i % kBooks))
            .bind(5, std::int64_t{i} * 10)
            .bind(6, std::int64_t{i} * 10 + words)
            .bind(7, words)
            .bind(8, words * 60'000 / (speed - 20 + i % 40))
            .bind(9, speed)
            .bind(10, std::int64_t{3})
            .bind(11, std::int64_t{i} * 3)
            .run();
    }
    transaction.commit();
}

// Runs the event loop until each chart of the window has drawn itself once more.
void untilDrawn(const orvell::HistoryWindow& window) {
    const QList<QCustomPlot*> charts = window.findChildren<QCustomPlot*>();
    int drawn = 0;
    std::vector<QMetaObject::Connection> connections;
    for (QCustomPlot* chart : charts)
        connections.push_back(
            QObject::connect(chart, &QCustomPlot::afterReplot, [&drawn] { ++drawn; }));
    while (drawn < charts.size()) QCoreApplication::processEvents();
    for (const QMetaObject::Connection& c : connections) QObject::disconnect(c);
}

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> times) {
    std::ranges::sort(times);
    return times[times.size() / 2];
}

int run(int argc, char** argv) {
    QApplication app(argc, argv);
    const QTemporaryDir folder;
    const std::filesystem::path place(folder.path().toStdU16String());
    fill(place);
    orvell::ReadingHistory history(place);
    if (!history.open().on()) return 1;

    std::vector<double> opens;
    std::vector<double> allTime;
    for (int run = 0; run < kRuns; ++run) {
        const Clock::time_point start = Clock::now();
        orvell::HistoryWindow window(history, {}, nullptr);
        window.show();
        untilDrawn(window);
        opens.push_back(msSince(start));

        const Clock::time_point switched = Clock::now();
        window.findChild<QComboBox*>(QStringLiteral("historyPeriod"))->setCurrentIndex(3);
        untilDrawn(window);
        allTime.push_back(msSince(switched));
        std::printf("  open %.1f ms, all the time %.1f ms\n", opens.back(), allTime.back());
    }
    orvell::bench::reportFigure("history_open_ms_1e5", median(opens));
    orvell::bench::reportFigure("history_all_time_ms_1e5", median(allTime));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {  // the history's file could not be made
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
