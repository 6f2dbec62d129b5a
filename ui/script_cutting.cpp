// Cutting the text box's text into the reading script while the reading already runs.

#include <QCoreApplication>
#include <QPlainTextEdit>

#include "ui/Unit1.h"
#include "ui/platform/timer.h"

namespace orvell {

void TForm1::cutScriptFromMemo() {
    core_.resetScript();
    ComboBox1Change();
    Timer1->setEnabled(true);
    core_.cut(memoText().toStdU16String(), [] { QCoreApplication::processEvents(); });
}

}  // namespace orvell
