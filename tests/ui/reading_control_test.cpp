#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <algorithm>
#include <array>
#include <memory>

#include "engine/segmentation.h"
#include "tests/ui/ui_test_support.h"
#include "ui/Unit1.h"
#include "ui/platform/activation.h"
#include "ui/platform/clock.h"
#include "ui/platform/hot_keys.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

using namespace Qt::StringLiterals;

namespace orvell {

namespace {

const QString kPause = u"Пауза [пробел]"_s;
const QString kResume = u"Продолжить [пробел]"_s;

// The settings a state of the window is made of; Timer2 and Timer3 always go together.
struct Controls {
    bool start;
    bool pause;
    bool memo;
    bool pacing;
    bool statistics;
};
constexpr Controls kIdle{true, false, true, false, false};
constexpr Controls kReading{false, true, false, true, true};
constexpr Controls kPaused{false, true, true, false, true};
constexpr Controls kReleasedAfterPause{true, false, true, false, true};
constexpr Controls kEnded = kIdle;
constexpr Controls kReplay{true, false, false, true, false};

constexpr std::array kAllKeys = {platform::HotKeys::kKeypadPlus, platform::HotKeys::kSpace,
                                 platform::HotKeys::kKeypadMinus};

// A text of `words` word entries and no pauses.
QString words(int words) { return u"раз "_s.repeated(words); }

}  // namespace

class ReadingControlTest : public test::WindowTestCase {
    Q_OBJECT

    std::unique_ptr<test::MessageBoxRecorder> boxes;

    void verifyControls(const Controls& c, const QString& caption) {
        QCOMPARE(form->SpeedButton1->isEnabled(), c.start);
        QCOMPARE(form->SpeedButton2->isEnabled(), c.pause);
        QCOMPARE(form->SpeedButton2->text(), caption);
        QCOMPARE(form->Memo1->isEnabled(), c.memo);
        QCOMPARE(form->Timer1->enabled(), c.pacing);
        QCOMPARE(form->Timer2->enabled(), c.statistics);
        QCOMPARE(form->Timer3->enabled(), c.statistics);
    }

    int keysTaken() const {
        return static_cast<int>(std::ranges::count_if(
            kAllKeys, [this](int id) { return form->hotKeys->isRegistered(id); }));
    }

    void tickToTheEnd() {
        for (int i = 0; i < 100'000 && form->Timer1->enabled(); ++i) form->Timer1Timer();
    }

    void startAndEnd(const QString& text) {
        form->Memo1->setPlainText(text);
        form->SpeedButton1Click();
        tickToTheEnd();
    }

  private slots:
    void init() {
        boxes = std::make_unique<test::MessageBoxRecorder>();
        openWindow();
    }
    void cleanup() {
        closeWindow();
        boxes.reset();
        platform::setClockForTesting({});
    }

    void startTakesTheKeysAndCutsTheText() {
        platform::setClockForTesting([] { return QDateTime({2026, 3, 1}, {14, 5, 9, 700}); });
        form->ComboBox1->setCurrentIndex(5);
        form->j2 = 77;
        const QString strip = form->Label1->text() + form->Label2->text() + form->Label3->text();
        form->Memo1->setPlainText(u"Раз, два. Три"_s);
        form->SpeedButton1Click();
        verifyControls(kReading, kPause);
        QCOMPARE(keysTaken(), 3);
        QCOMPARE(form->vrem, platform::formatLongTime({14, 5, 9}));
        QCOMPARE(form->j2, 0);
        QCOMPARE(form->j, 133);
        QCOMPARE(form->Timer1->interval(), 133u);
        QCOMPARE(form->sh, 0);
        QCOMPARE(form->k1, 5);
        QVERIFY(!form->cuttingRunning());
        // Nothing else changes: the strip waits for the first tick.
        QCOMPARE(form->Label1->text() + form->Label2->text() + form->Label3->text(), strip);
        QCOMPARE(form->ComboBox1->currentIndex(), 5);
        QVERIFY(form->CheckBox1->isChecked());
    }

    void pauseButtonPausesAndResumesKeepingTheTickInterval() {
        form->SpeedButton1Click();
        form->Timer1->setInterval(321);
        form->SpeedButton2Click();
        verifyControls(kPaused, kResume);
        form->SpeedButton2Click();
        verifyControls(kReading, kPause);
        QCOMPARE(form->Timer1->interval(), 321u);
    }

    void spacePausesAndResumesSettingTheBaseInterval() {
        form->SpeedButton1Click();
        form->Timer1->setInterval(321);
        form->WMHotKey(platform::HotKeys::kSpace);
        verifyControls(kPaused, kResume);
        QCOMPARE(form->Timer1->interval(), 150u);
        form->Timer1->setInterval(321);
        form->WMHotKey(platform::HotKeys::kSpace);
        verifyControls(kReading, kPause);
        QCOMPARE(form->Timer1->interval(), 150u);
    }

    void spaceWhileIdleOnlyAppliesTheSpeed() {
        verifyControls(kIdle, kPause);
        QCOMPARE(form->j, 0);
        form->WMHotKey(platform::HotKeys::kSpace);
        verifyControls(kIdle, kPause);
        QCOMPARE(form->j, 150);
        QCOMPARE(form->Timer1->interval(), 150u);
    }

    void speedSteps_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("newIndex");
        QTest::addColumn<int>("j");
        QTest::newRow("plus from 300") << 3 << 107 << 4 << 142;
        QTest::newRow("plus at 1000 stays") << 17 << 107 << 17 << 44;
        QTest::newRow("minus from 300") << 3 << 109 << 2 << 200;
        QTest::newRow("minus at 150 stays") << 0 << 109 << 0 << 280;
        QTest::newRow("space keeps the index") << 9 << 32 << 9 << 75;
    }
    void speedSteps() {
        QFETCH(int, index);
        QFETCH(int, key);
        QFETCH(int, newIndex);
        QFETCH(int, j);
        form->SpeedButton1Click();
        form->ComboBox1->setCurrentIndex(index);
        form->Timer1->setInterval(321);
        form->WMHotKey(key);
        QCOMPARE(form->ComboBox1->currentIndex(), newIndex);
        QCOMPARE(form->j, j);
        QCOMPARE(form->Timer1->interval(), static_cast<uint>(j));
    }

    void stepBackWhileReadingPausesAndAgainStaysPaused() {
        form->Memo1->setPlainText(words(200));
        form->SpeedButton1Click();
        form->sh = 100;
        form->SpeedButton3Click();
        QCOMPARE(form->sh, 35);
        verifyControls(kPaused, kResume);
        form->SpeedButton3Click();
        QCOMPARE(form->sh, 0);
        verifyControls(kPaused, kResume);
        form->WMHotKey(platform::HotKeys::kSpace);
        verifyControls(kReading, kPause);
        form->Timer1Timer();
        QCOMPARE(form->sh, 1);
    }

    void stepBackAfterTheEndReplaysUnpausably() {
        startAndEnd(words(100));
        QCOMPARE(form->sh, 99);
        form->SpeedButton3Click();
        QCOMPARE(form->sh, 34);
        verifyControls(kReplay, kPause);
        form->WMHotKey(platform::HotKeys::kSpace);
        verifyControls(kReplay, kPause);
        tickToTheEnd();
        verifyControls(kEnded, kPause);
        QCOMPARE(form->sh, 99);
        // The start button stays usable during a replay.
        form->SpeedButton3Click();
        form->SpeedButton1Click();
        verifyControls(kReading, kPause);
        QCOMPARE(form->sh, 0);
    }

    void editAfterTheEndOnlyReleasesTheKeys() {
        startAndEnd(u"Раз два"_s);
        QCOMPARE(keysTaken(), 3);
        form->Memo1->setPlainText(u"Три"_s);
        verifyControls(kEnded, kPause);
        QCOMPARE(keysTaken(), 0);
        form->SpeedButton3Click();
        verifyControls(kReplay, kPause);
    }

    void editWhilePausedReleasesWithTheStatisticsRunning() {
        form->Memo1->setPlainText(words(200));
        form->SpeedButton1Click();
        form->sh = 150;
        form->SpeedButton2Click();
        form->Memo1->setPlainText(u"Три"_s);
        verifyControls(kReleasedAfterPause, kResume);
        QCOMPARE(keysTaken(), 0);
        // The caption is not the pause caption: only sh moves.
        form->SpeedButton3Click();
        QCOMPARE(form->sh, 85);
        verifyControls(kReleasedAfterPause, kResume);
    }

    void startAfterPauseAndEditKeepsTheResumeCaption() {
        form->SpeedButton1Click();
        form->SpeedButton2Click();
        form->Memo1->setPlainText(words(200));
        form->SpeedButton1Click();
        verifyControls(kReading, kResume);
        form->sh = 100;
        form->SpeedButton3Click();
        QCOMPARE(form->sh, 35);
        verifyControls(kReading, kResume);
        form->WMHotKey(platform::HotKeys::kSpace);
        verifyControls(kPaused, kResume);
        form->SpeedButton2Click();
        verifyControls(kReading, kPause);
    }

    // Before any start there is no script: the first tick ends the "reading" at once.
    void stepBackBeforeTheFirstStartEndsAtTheFirstTick() {
        form->SpeedButton3Click();
        verifyControls(kReplay, kPause);
        QTRY_VERIFY(!form->Timer1->enabled());
        verifyControls(kEnded, kPause);
        QCOMPARE(form->sh, 0);
    }

    // After a pause and an edit the start button works while the first text is still cut.
    void startDuringARunningCuttingAbandonsIt() {
        form->Memo1->setPlainText(words(2000));
        bool startedAgain = false;
        QTimer::singleShot(0, form.get(), [&] {
            form->SpeedButton2Click();
            form->Memo1->setPlainText(u"новый текст"_s);
            startedAgain = form->SpeedButton1->isEnabled() && form->cuttingRunning();
            form->SpeedButton1Click();
        });
        form->SpeedButton1Click();
        QVERIFY(startedAgain);
        QVERIFY(!form->cuttingRunning());
        QCOMPARE(form->k1, 2);
        QCOMPARE(QString::fromStdU16String(form->sarr.at(1)->left + form->sarr.at(1)->focus +
                                           form->sarr.at(1)->right),
                 u"текст"_s);
        QVERIFY(!form->sarr.filled(2));
        verifyControls(kReading, kResume);
    }

    void activationTakesAndReleasesTheKeys_data() {
        QTest::addColumn<bool>("reading");
        QTest::newRow("idle") << false;
        QTest::newRow("reading") << true;
    }
    void activationTakesAndReleasesTheKeys() {
        QFETCH(bool, reading);
        if (reading) form->SpeedButton1Click();
        form->activation->applicationStateChanged(Qt::ApplicationInactive);
        QCOMPARE(keysTaken(), 0);
        form->activation->applicationStateChanged(Qt::ApplicationActive);
        QCOMPARE(keysTaken(), 3);
        form->activation->applicationStateChanged(Qt::ApplicationInactive);
        form->FormDeactivate();
        QCOMPARE(keysTaken(), 3);
    }

    // Real key events: taken keys never reach the text box; an edit gives them back to it.
    void hotKeysAreSwallowedUntilAnEditReleasesThem() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->Memo1->setPlainText(u"ab"_s);
        form->AppActivate();
        QTest::keyClick(form->Memo1, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(form->Memo1, Qt::Key_Space);
        QTest::keyClick(form->Memo1, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(form->Memo1->toPlainText(), u"ab"_s);
        QCOMPARE(form->ComboBox1->currentIndex(), 4);
        QCOMPARE(form->j, 142);
        QTest::keyClick(form->Memo1, Qt::Key_C);
        QCOMPARE(keysTaken(), 0);
        QTest::keyClick(form->Memo1, Qt::Key_Space);
        QTest::keyClick(form->Memo1, Qt::Key_Plus, Qt::KeypadModifier);
        QTest::keyClick(form->Memo1, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(form->Memo1->toPlainText(), u"abc +-"_s);
        QCOMPARE(form->ComboBox1->currentIndex(), 4);
    }

    void clickInTheTextBoxSelectsAll() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->SpeedButton6Click();
        QTest::mouseClick(form->Memo1->viewport(), Qt::LeftButton, {}, {20, 20});
        const QTextCursor cursor = form->Memo1->textCursor();
        QCOMPARE(cursor.selectionStart(), 0);
        QCOMPARE(cursor.selectionEnd(), form->Memo1->toPlainText().size());
    }

    void explanationOnlyOnTheFirstClickAlsoWhenItUnchecks() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QTest::mouseClick(form->CheckBox1, Qt::LeftButton);
        QVERIFY(!form->CheckBox1->isChecked());
        QCOMPARE(boxes->boxes.size(), 1u);
        const auto& box = boxes->boxes.front();
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.caption, u"Orvell"_s);
        QCOMPARE(box.buttons, QMessageBox::Ok);
        QVERIFY(box.text.startsWith(u"Режим обучения. При включеном режиме, слова"_s));
        QVERIFY(box.text.endsWith(u"поможет избежать этой проблемы."_s));
        QCOMPARE(box.text.size(), 390);
        QVERIFY(!form->boo);
        QTest::mouseClick(form->CheckBox1, Qt::LeftButton);
        QTest::mouseClick(form->CheckBox1, Qt::LeftButton);
        QCOMPARE(boxes->boxes.size(), 1u);
        QVERIFY(!form->CheckBox1->isChecked());
    }

    // While the box is open, ticks and hot keys go on, and the box taking the activation takes
    // the keys that were released before.
    void explanationBoxKeepsTicksAndHotKeysRunning() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        test::setActiveWindow(form.get());
        form->Memo1->setPlainText(words(500));
        form->ComboBox1->setCurrentIndex(17);
        form->SpeedButton1Click();
        form->AppDeactivate();
        bool checked = false;
        platform::setMessageBoxObserver([&](QMessageBox& box) {
            [&] {
                test::setActiveWindow(&box);
                const std::int32_t sh = form->sh;
                const std::int32_t j2 = form->j2;
                QTRY_COMPARE(keysTaken(), 3);
                QTRY_VERIFY(form->sh > sh + 2);
                QTRY_VERIFY(form->j2 > j2);
                QTest::keyClick(&box, Qt::Key_Space);
                checked = !form->Timer1->enabled() && box.isVisible();
            }();
            box.accept();
        });
        form->CheckBox1Click();
        QVERIFY(checked);
        verifyControls(kPaused, kResume);
    }

    // A short text at 1000 words a minute, read to its end in real time by a click and the
    // space bar.
    void aWholeReadingInRealTime() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->AppActivate();
        form->ComboBox1->setCurrentIndex(17);
        form->Memo1->setPlainText(
            u"Раз два три четыре пять шесть восемь девять десять.\nОдин два три семь."_s);
        QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
        QTRY_VERIFY(form->sh >= 2);
        QTest::keyClick(form.get(), Qt::Key_Space);
        verifyControls(kPaused, kResume);
        QTest::keyClick(form.get(), Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(form->SpeedButton1->isEnabled(), 10'000);
        verifyControls(kEnded, kPause);
        QCOMPARE(form->sh, form->k1 - 1);
        QCOMPARE(form->Label1->text() + form->Label2->text() + form->Label3->text(), u"семь."_s);
        QVERIFY(!form->larr.larr().empty());
        QCOMPARE(keysTaken(), 3);
    }
};

}  // namespace orvell

QTEST_MAIN(orvell::ReadingControlTest)
#include "reading_control_test.moc"
