// Cutting the text box's text into the reading script while the reading already runs.

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <utility>
#include <vector>

#include "ui/Unit1.h"
#include "ui/platform/timer.h"
#include "ui/text_positions.h"

namespace orvell {

void TForm1::cutScriptFromMemo() {
    core_.resetScript(startEntryOfBook());
    if (startPosition_ >= 0) core_.startAt(std::exchange(startPosition_, -1));
    // The chapters are the book's while the text box holds it unedited.
    std::vector<qsizetype> starts;
    readingChapters_.clear();
    for (const books::Chapter& chapter : memoChapters_) {
        starts.push_back(chapter.position);
        readingChapters_.push_back(QString::fromStdU16String(chapter.title));
    }
    // Made once: a whole book's text takes a while to gather from the text box.
    const QString boxText = Memo1->toPlainText();
    core_.setChapters(cutPositions(boxText, starts));
    titleChapter_ = -2;
    ComboBox1Change();
    Timer1->setEnabled(true);
    if (core_.cut(cutText(boxText).toStdU16String(), [] { QCoreApplication::processEvents(); }))
        bookCutFinished();
}

}  // namespace orvell
