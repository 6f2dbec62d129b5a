// The pacing tick: shows the entry the reading core gives and sets how long it stays.

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>

#include "ui/Unit1.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

namespace orvell {

namespace {
QString text(const std::u16string& s) { return QString::fromUtf16(s.data(), std::ssize(s)); }
}  // namespace

void TForm1::Timer1Timer() {
    const PacingTick tick = session_.tick(CheckBox1->isChecked());
    if (tick.shown) {
        // Written step by step, so that an unchanged value keeps the timer's rhythm.
        Timer1->setInterval(tick.lengthInterval);
        Timer1->setInterval(tick.interval);
        Label1->setText(text(tick.shown->left));
        Label2->setText(text(tick.shown->focus));
        Label3->setText(text(tick.shown->right));
        showChapterInTitle(session_.core().sh() - 1);
    }
    if (tick.ends) endReading();
}

void TForm1::endReading() {
    Memo1->setEnabled(true);
    Timer1->setEnabled(false);
    Timer3->setEnabled(false);
    Timer2->setEnabled(false);
    SpeedButton1->setEnabled(true);
    SpeedButton2->setEnabled(false);
    rememberPlace(0);  // a book read to its end starts from the beginning next time
    session_.endSitting();
    historyChanged();
    showReadingTally();
}

}  // namespace orvell
