// A book of 46 MB in the real window, offscreen: opening the UTF-8 text, cutting the whole of it
// while the reading it starts runs, the memory that takes, and at the book's end what a pause
// (which marks the reading's word in the text box) and a move by sentence take.
//
// The peak memory is this process's own, which nothing can lower again. So the book is written
// a part at a time before the application exists, and the first things the process does with it
// are one opening and one reading cut to its end, right after which both memory figures are
// read. Each further opening and cutting is done in a new window, as the first one.

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "bench/books/generated_books.h"
#include "bench/books/window_opening.h"
#include "bench/summary.h"
#include "bench/ui/resident_memory.h"
#include "tests/ui/scratch_folder.h"
#include "ui/Unit1.h"
#include "ui/platform/message_box.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

namespace orvell::bench {
namespace {

// An opening and a cutting take seconds each: three runs of the two. A pause and a move take
// well under a second: seven runs each.
constexpr int kReadings = 3;
constexpr int kRuns = 7;
// The text cuts into about 4.9 million entries.
constexpr std::int32_t kLeastEntries = 4'500'000;
// Where "Читать отсюда" moves the reading: a few sentences before the end, on the last page.
constexpr int kCharsBeforeTheEnd = 500;

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

bool failed(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    return false;
}

// Milliseconds of `action` and then of the window's pending events (layout and paint).
template <typename Action>
double timedMs(const Action& action) {
    const Clock::time_point start = Clock::now();
    action();
    QApplication::processEvents();
    return Ms(Clock::now() - start).count();
}

// Starts the reading of the text box's book with the start button, which returns when the
// whole text is cut, the reading running meanwhile; nothing when the cutting did not finish.
std::optional<double> cutMs(TForm1& form) {
    const Clock::time_point start = Clock::now();
    form.SpeedButton1->click();
    const Ms took = Clock::now() - start;
    const ReadingCore& reading = form.reading();
    if (reading.cutting() || reading.k1() < kLeastEntries || !form.Timer1->enabled())
        return std::nullopt;
    return took.count();
}

// Pauses the reading and moves it as the reader would, with "Читать отсюда" from the text
// box's menu at a word of the last page; the reading goes on from there.
bool readFromTheLastPage(TForm1& form) {
    form.SpeedButton2->click();
    QPlainTextEdit& box = *form.Memo1;
    QTextCursor at(box.document());
    at.setPosition(box.document()->characterCount() - kCharsBeforeTheEnd);
    box.setTextCursor(at);  // scrolls the box there
    // The menu belongs to the text box and waits in its own event loop.
    QTimer::singleShot(0, &form, [&box] {
        auto* menu = box.findChild<QMenu*>();
        if (menu == nullptr) return;
        if (auto* item = menu->findChild<QAction*>(QStringLiteral("readFromHere"))) item->trigger();
        menu->close();
    });
    emit box.customContextMenuRequested(box.cursorRect(at).center());
    const ReadingCore& reading = form.reading();
    return form.Timer1->enabled() && reading.k1() - reading.sh() < kCharsBeforeTheEnd;
}

// Times the pause there, resuming between the runs; empty when a pause left no mark.
std::vector<double> pausesMs(TForm1& form) {
    std::vector<double> ms;
    for (int run = 0; run < kRuns; ++run) {
        if (!form.Timer1->enabled()) form.SpeedButton2->click();
        ms.push_back(timedMs([&form] { form.SpeedButton2->click(); }));
        if (form.Timer1->enabled() || form.Memo1->extraSelections().size() != 1) return {};
    }
    return ms;
}

// Times moves by sentence in the pause, forward and back in turn so as to stay at the end, with
// the arrow keys typed into the window; a move in a pause marks the word moved to. Empty when a
// move did not move or mark.
std::vector<double> movesMs(TForm1& form) {
    std::vector<double> ms;
    for (int run = 0; run < kRuns; ++run) {
        const std::int32_t from = form.reading().sh();
        QKeyEvent press(QEvent::KeyPress, run % 2 == 0 ? Qt::Key_Right : Qt::Key_Left,
                        Qt::NoModifier);
        ms.push_back(timedMs([&form, &press] { QApplication::sendEvent(&form, &press); }));
        if (form.reading().sh() == from || form.Memo1->extraSelections().size() != 1) return {};
    }
    return ms;
}

struct Figures {
    std::vector<double> openings;
    std::vector<double> cuts;
    double peakMb = 0;
    double readingMb = 0;
    std::vector<double> pauses;
    std::vector<double> moves;
};

// Opens the book and cuts it in a reading started from the start button, timing both.
bool openAndCut(TForm1& form, const QString& book, Figures& figures) {
    const std::optional<double> opening = openingMs(form, book);
    if (!opening) return failed("the window did not take the book");
    const std::optional<double> cut = cutMs(form);
    if (!cut) return failed("the cutting did not finish");
    std::printf("opened in %.1f s, %d entries cut in %.1f s\n", *opening / 1000,
                form.reading().k1(), *cut / 1000);
    figures.openings.push_back(*opening);
    figures.cuts.push_back(*cut);
    return true;
}

// Moves the reading just cut to the book's end and times pauses and moves there.
bool pauseAndMoveAtTheEnd(TForm1& form, Figures& figures) {
    if (!readFromTheLastPage(form)) return failed("the reading did not move to the last page");
    figures.pauses = pausesMs(form);
    if (figures.pauses.empty()) return failed("a pause did not mark the reading's word");
    figures.moves = movesMs(form);
    if (figures.moves.empty()) return failed("a move by sentence did not move the reading");
    return true;
}

bool measure(const QString& book) {
    Figures figures;
    for (int reading = 0; reading < kReadings; ++reading) {
        forgetReadingPlaces();
        const test::ScratchFolder folder;
        TForm1 form;
        form.show();
        if (!openAndCut(form, book, figures)) return false;
        if (reading > 0) continue;
        figures.peakMb = peakResidentMb();
        figures.readingMb = residentMb();
        std::printf("%.0f MB at the peak, %.0f MB after the cutting\n", figures.peakMb,
                    figures.readingMb);
        if (!pauseAndMoveAtTheEnd(form, figures)) return false;
    }
    reportFigure("open_txt_ms_46mb", median(figures.openings));
    reportFigure("cut_whole_ms_46mb", median(figures.cuts));
    reportFigure("peak_rss_mb_46mb", figures.peakMb);
    reportFigure("reading_rss_mb_46mb", figures.readingMb);
    reportFigure("pause_mark_ms_46mb_end", median(figures.pauses));
    reportFigure("move_ms_46mb_end", median(figures.moves));
    return true;
}

}  // namespace
}  // namespace orvell::bench

int main(int argc, char** argv) {
    using namespace orvell;
    using namespace orvell::bench;
    const QString book = QString::fromStdString(bigTextBook());
    QApplication app(argc, argv);
    // Offscreen an error box would wait for ever; closed at once, the checks tell the failure.
    platform::setMessageBoxObserver([](QMessageBox& box) { box.accept(); });
    const bool measured = measure(book);
    forgetReadingPlaces();
    removeGeneratedBooks();
    return measured ? 0 : 1;
}
