// Cutting the text box's text into the reading script while the reading already runs.

#include <QCoreApplication>
#include <QPlainTextEdit>

#include "ui/Unit1.h"
#include "ui/platform/timer.h"

namespace orvell {

void TForm1::cutScriptFromMemo() {
    core_.resetScript(startEntryOfBook());
    ComboBox1Change();
    Timer1->setEnabled(true);
    if (core_.cut(memoText().toStdU16String(), [] { QCoreApplication::processEvents(); }))
        bookCutFinished();
}

}  // namespace orvell
