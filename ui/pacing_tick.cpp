// The pacing tick: shows one entry of the script and sets how long it stays.

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>

#include "engine/pacing.h"
#include "ui/Unit1.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

namespace orvell {

namespace {
QString text(const std::u16string& s) { return QString::fromUtf16(s.data(), std::ssize(s)); }
}  // namespace

void TForm1::Timer1Timer() {
    const DisplayEntry* e = sarr.at(sh);
    if (e == nullptr) {
        // The display has caught up with the cutting: wait for the entry.
        if (cuttingRunning()) return;
        // Nothing to show: no script yet, or the cutting ended right behind the display, in
        // which case the entry shown last is the script's last one.
        if (sh > 0 && sarr.filled(sh - 1)) --sh;
        endReading();
        return;
    }
    const int factor = CheckBox1->isChecked() ? larr.lookup(*e) : 1;
    // Written step by step, so that an unchanged value keeps the timer's rhythm.
    Timer1->setInterval(lengthRuleInterval(j, e->right.size(), factor));
    if (hasPunctuationPause(e->right))
        Timer1->setInterval(punctuationInterval(Timer1->interval(), factor));
    Label1->setText(text(e->left));
    Label2->setText(text(e->focus));
    Label3->setText(text(e->right));
    // While the text is still being cut, the next entry may simply not be there yet.
    if (sarr.filled(sh + 1) || (cuttingRunning() && sh + 1 < ReadingScript::kSlots))
        ++sh;
    else
        endReading();
}

void TForm1::endReading() {
    Memo1->setEnabled(true);
    Timer1->setEnabled(false);
    Timer3->setEnabled(false);
    Timer2->setEnabled(false);
    SpeedButton1->setEnabled(true);
    SpeedButton2->setEnabled(false);
}

}  // namespace orvell
