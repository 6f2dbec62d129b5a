// Cutting the text box's text into the reading script while the reading already runs.

#include <QComboBox>
#include <QCoreApplication>
#include <QPlainTextEdit>

#include "engine/segmentation.h"
#include "engine/speed_table.h"
#include "ui/Unit1.h"
#include "ui/platform/timer.h"

namespace orvell {

void TForm1::cutScriptFromMemo() {
    sarr.reset();
    sh = 0;
    j = baseIntervalFor(ComboBox1->currentIndex(), j);
    Timer1->setInterval(static_cast<std::uint32_t>(j));
    Timer1->setEnabled(true);

    const std::uint64_t generation = ++cutGeneration_;
    cutting_ = true;
    const QString text = memoText();
    // A newer start, made from inside the yield, bumps the generation: this cutting then stops
    // writing and leaves the script and k1 to the newer one.
    cutText(text.toStdU16String(), sarr, k1, [this, generation] {
        QCoreApplication::processEvents();
        return generation == cutGeneration_;
    });
    if (generation == cutGeneration_) cutting_ = false;
}

}  // namespace orvell
