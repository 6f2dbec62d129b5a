// The reading history in the window: opened at the start (a history that cannot be kept is
// told once, and the reading goes on without it), the history window on Ctrl+H and the strip's
// menu, and what a reading added up to, in the title after its end until the next start.

#include <QLocale>
#include <cmath>
#include <cstdio>

#include "ui/Unit1.h"
#include "ui/history_window.h"
#include "ui/platform/data_folder.h"

namespace orvell {

using namespace Qt::StringLiterals;

namespace {

// "слово", "слова" or "слов", as the number before it asks.
QString wordsNoun(std::int64_t n) {
    const std::int64_t lastTwo = n % 100;
    const std::int64_t last = n % 10;
    if (lastTwo >= 11 && lastTwo <= 14) return u"слов"_s;
    if (last == 1) return u"слово"_s;
    if (last >= 2 && last <= 4) return u"слова"_s;
    return u"слов"_s;
}

// "Прочитано: 2 140 слов за 7 мин, 305 слов/мин"; under a minute, in seconds.
QString tallyTitle(const ReadingTally& tally) {
    const QLocale russian(QLocale::Russian);
    constexpr double kMsPerMinute = 60'000.0;
    const double minutes = static_cast<double>(tally.activeMs) / kMsPerMinute;
    const QString time = tally.activeMs < 60'000
                             ? u"%1 с"_s.arg(russian.toString((tally.activeMs + 500) / 1000))
                             : u"%1 мин"_s.arg(russian.toString(std::llround(minutes)));
    const std::int64_t perMinute =
        minutes > 0 ? std::llround(static_cast<double>(tally.words) / minutes) : 0;
    return u"Прочитано: %1 %2 за %3, %4 слов/мин"_s.arg(russian.toString(tally.words),
                                                        wordsNoun(tally.words), time,
                                                        russian.toString(perMinute));
}

}  // namespace

void TForm1::setUpHistory() {
    const HistoryOpening opening = session_.keepHistoryIn(platform::dataFolder());
    if (!opening.problem.empty()) std::fprintf(stderr, "Orvell: %s.\n", opening.problem.c_str());
    historyState_ = QString::fromStdString(opening.shown);
}

void TForm1::ReadingHistoryCommand() {
    // The sitting that has just ended may still be on its way to the file; show it too.
    session_.history().waitForWrites();
    if (!historyWindow_) {
        historyWindow_ = new HistoryWindow(session_.history(), historyState_, this);
        connect(historyWindow_, &HistoryWindow::openBookRequested, this, &TForm1::openFile);
    } else {
        historyWindow_->refresh();
    }
    historyWindow_->show();
    historyWindow_->raise();
    historyWindow_->activateWindow();
}

void TForm1::historyChanged() {
    if (!historyWindow_ || !historyWindow_->isVisible()) return;
    // Only while the reader looks at the history: the reading has just stopped.
    session_.history().waitForWrites();
    historyWindow_->refresh();
}

void TForm1::showReadingTally() {
    const ReadingTally tally = session_.readingTally();
    if (tally.words > 0) setWindowTitle(tallyTitle(tally));
}

}  // namespace orvell
