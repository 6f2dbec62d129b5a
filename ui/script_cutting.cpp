// Cutting the text box's text into the reading script while the reading already runs.

#include <QComboBox>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <chrono>
#include <utility>

#include "ui/Unit1.h"
#include "ui/platform/timer.h"

namespace orvell {

void TForm1::cutScriptFromMemo() {
    session_.begin(ComboBox1->currentIndex());
    if (startPosition_ >= 0) session_.core().startAt(std::exchange(startPosition_, -1));
    titleChapter_ = -2;
    ComboBox1Change();
    session_.beginSitting();
    Timer1->setEnabled(true);
    // Pending events run after the first word, then at most once a millisecond: often enough
    // that a tick waits no longer, seldom enough that a long text is cut in seconds.
    std::chrono::steady_clock::time_point lastEvents;
    const auto letEventsRun = [&lastEvents] {
        constexpr auto kSlice = std::chrono::milliseconds(1);
        const auto now = std::chrono::steady_clock::now();
        if (now - lastEvents < kSlice) return;
        QCoreApplication::processEvents();
        lastEvents = std::chrono::steady_clock::now();
    };
    if (session_.core().cut(Memo1->toPlainText().toStdU16String(), letEventsRun,
                            LineFeeds::AsCrLf)) {
        session_.cutFinished(Timer1->enabled());
        updateStartHint();
    }
}

}  // namespace orvell
