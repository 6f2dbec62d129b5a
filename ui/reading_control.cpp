// Starting, pausing and stepping back a reading; hot keys and activation.
//
// A reading keeps no state of its own: the handlers read it back from the controls (whether
// Timer1 runs, the caption of SpeedButton2, whether SpeedButton2 is enabled).

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <array>

#include "engine/speed_table.h"
#include "ui/Unit1.h"
#include "ui/pause_captions.h"
#include "ui/platform/clock.h"
#include "ui/platform/hot_keys.h"
#include "ui/platform/message_box.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

namespace orvell {

using namespace Qt::StringLiterals;

namespace {

const QString kLearningModeExplanation =
    u"Режим обучения. При включеном режиме, слова, которые отображаются в первый раз - будут "
    u"показаны чуть дольше. По началу это будет немного неудобно, но по мере наполнения вашего "
    u"со Orvell словарного запаса - эта функция будет очень полезна. Редкие слова, а так же "
    u"названия и имена собственные воспринимаются сложнее. Дополнительное время на "
    u"распознование слова поможет избежать этой проблемы."_s;

// Taken and released always in this order.
constexpr std::array kHotKeyOrder = {platform::HotKeys::kKeypadPlus, platform::HotKeys::kSpace,
                                     platform::HotKeys::kKeypadMinus};

// The results are not used: a key held elsewhere simply does not arrive.
void takeHotKeys(platform::HotKeys& keys) {
    for (const int id : kHotKeyOrder) keys.registerHotKey(id);
}

void releaseHotKeys(platform::HotKeys& keys) {
    for (const int id : kHotKeyOrder) keys.unregisterHotKey(id);
}

}  // namespace

void TForm1::SpeedButton1Click() {
    takeHotKeys(*hotKeys);
    readingHeld_ = true;
    takeMoveKeys();
    SpeedButton1->setEnabled(false);
    showTitle();
    vrem = platform::formatLongTime(platform::now().time());
    Memo1->setEnabled(false);
    SpeedButton2->setEnabled(true);
    session_.core().restartStatistics();
    // Off and on again, so that the first statistics tick comes a full period after the start.
    Timer2->setEnabled(false);
    Timer2->setEnabled(true);
    Timer3->setEnabled(true);
    cutScriptFromMemo();
}

void TForm1::SpeedButton2Click() {
    if (Timer1->enabled()) {
        Memo1->setEnabled(true);
        Timer1->setEnabled(false);
        SpeedButton2->setText(kResumeCaption);
        session_.endSitting();
        historyChanged();
        rememberPlace(session_.core().sh());
        markReadingPlace(true);
    } else {
        Memo1->setEnabled(false);
        Timer1->setEnabled(true);
        SpeedButton2->setText(kPauseCaption);
        clearReadingMark();
        session_.core().restartWarmUp();
        session_.beginSitting();
    }
}

void TForm1::SpeedButton3Click() {
    session_.core().stepBack();
    // Pauses a running reading; a paused one (or one started while paused) stays as it is.
    if (SpeedButton2->text() == kPauseCaption)
        SpeedButton2Click();  // which remembers the place and marks it when it pauses
    else
        rememberPlace(session_.core().sh());
    if (!Timer1->enabled() && SpeedButton2->isEnabled()) markReadingPlace(false);
}

void TForm1::WMHotKey(int id) {
    if (id == platform::HotKeys::kSpace && SpeedButton2->isEnabled()) SpeedButton2Click();
    // A row up or down the speed table; with Shift, a finer step.
    const int speed = ComboBox1->speed();
    if (id == platform::HotKeys::kKeypadPlus) ComboBox1->setSpeed(rowSpeedAbove(speed));
    if (id == platform::HotKeys::kKeypadMinus) ComboBox1->setSpeed(rowSpeedBelow(speed));
    if (id == platform::HotKeys::kFinePlus) ComboBox1->setSpeed(speed + kFineStep);
    if (id == platform::HotKeys::kFineMinus) ComboBox1->setSpeed(speed - kFineStep);
    moveKeyPressed(id);
    // An index set from code raises no change event, so the new speed is applied here; every
    // hot key thereby also sets Timer1 back to the base interval.
    ComboBox1Change();
}

void TForm1::ComboBox1Change() {
    session_.core().applyWordsPerMinute(ComboBox1->speed());
    Timer1->setInterval(static_cast<std::uint32_t>(session_.core().j()));
}

void TForm1::AppActivate() {
    takeHotKeys(*hotKeys);
    // The move keys only while there is a reading to move: else they edit the text.
    if (readingHeld_) takeMoveKeys();
}

void TForm1::AppDeactivate() {
    releaseHotKeys(*hotKeys);
    releaseMoveKeys();
}

void TForm1::FormDeactivate() {
    // The learning-mode explanation took the activation: the reading goes on under it, and so
    // do its keys. Any other window of the program (a file dialog, a message box) gets the
    // keys as they are typed.
    if (hotKeys->actInActiveWindow()) AppActivate();
}

void TForm1::Memo1Change() {
    session_.endSitting();
    session_.dropBook();
    updateStartHint();
    SpeedButton1->setEnabled(true);
    SpeedButton2->setEnabled(false);
    releaseHotKeys(*hotKeys);
    readingHeld_ = false;
    releaseMoveKeys();
    clearReadingMark();
}

void TForm1::Memo1Click() { Memo1->selectAll(); }

void TForm1::CheckBox1Click() {
    if (!boo) return;
    platform::showMessage(this, kLearningModeExplanation);
    boo = false;
}

}  // namespace orvell
