#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTimer>
#include <algorithm>
#include <array>
#include <memory>

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
        const platform::HotKeys* keys = test::hotKeysOf(*form);
        return static_cast<int>(std::ranges::count_if(
            kAllKeys, [keys](int id) { return keys != nullptr && keys->isRegistered(id); }));
    }

    // The program becomes active, or another program does.
    void setProgramActive(bool active) {
        platform::Activation* activation = test::activationOf(*form);
        QVERIFY(activation != nullptr);
        activation->applicationStateChanged(active ? Qt::ApplicationActive
                                                   : Qt::ApplicationInactive);
    }

    void showWindow() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        setProgramActive(true);
    }

    void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form.get(), key, modifiers);
    }

    std::int32_t sh() const { return form->reading().sh(); }

    void tick(int times) {
        for (int i = 0; i < times; ++i) test::fire(form->Timer1);
    }

    void tickToTheEnd() {
        for (int i = 0; i < 100'000 && form->Timer1->enabled(); ++i) test::fire(form->Timer1);
    }

    void startAndEnd(const QString& text) {
        start(text);
        tickToTheEnd();
    }

  private slots:
    void init() {
        boxes = std::make_unique<test::MessageBoxRecorder>();
        openWindow();
        // Only the ticks a test fires count, unless it lets the timers tick in real time.
        platform::Timer::holdTicksForTesting(true);
    }
    void cleanup() {
        closeWindow();
        boxes.reset();
        platform::setClockForTesting({});
        platform::Timer::holdTicksForTesting(false);
    }

    void startTakesTheKeysAndCutsTheText() {
        platform::setClockForTesting([] { return QDateTime({2026, 3, 1}, {14, 5, 9, 700}); });
        form->ComboBox1->setCurrentIndex(5);
        for (int i = 0; i < 77; ++i) test::fire(form->Timer2);
        const QString strip = form->Label1->text() + form->Label2->text() + form->Label3->text();
        start(u"Раз, два. Три"_s);
        verifyControls(kReading, kPause);
        QCOMPARE(keysTaken(), 3);
        QCOMPARE(form->Timer1->interval(), 133u);
        QCOMPARE(sh(), 0);
        QCOMPARE(form->reading().k1(), 5);
        QVERIFY(!form->reading().cutting());
        // Nothing else changes: the strip waits for the first tick.
        QCOMPARE(form->Label1->text() + form->Label2->text() + form->Label3->text(), strip);
        QCOMPARE(form->ComboBox1->currentIndex(), 5);
        QVERIFY(form->CheckBox1->isChecked());
        // The statistics count from the start, which is their time 0.
        tick(3);
        test::fire(form->Timer2);
        QCOMPARE(form->Label13->text(), platform::formatLongTime({0, 0, 0}));
        QCOMPARE(form->Label15->text(), u"360"_s);
    }

    void pauseButtonPausesAndResumesKeepingTheTickInterval() {
        start(u"Раз, два, три"_s);
        tick(1);
        QCOMPARE(form->Timer1->interval(), 1200u);
        click(form->SpeedButton2);
        verifyControls(kPaused, kResume);
        click(form->SpeedButton2);
        verifyControls(kReading, kPause);
        QCOMPARE(form->Timer1->interval(), 1200u);
    }

    void spacePausesAndResumesSettingTheBaseInterval() {
        showWindow();
        start(u"Раз, два, три"_s);
        tick(1);
        QCOMPARE(form->Timer1->interval(), 1200u);
        press(Qt::Key_Space);
        verifyControls(kPaused, kResume);
        QCOMPARE(form->Timer1->interval(), 150u);
        press(Qt::Key_Space);
        verifyControls(kReading, kPause);
        tick(1);
        QCOMPARE(form->Timer1->interval(), 1200u);
        press(Qt::Key_Space);
        press(Qt::Key_Space);
        verifyControls(kReading, kPause);
        QCOMPARE(form->Timer1->interval(), 150u);
    }

    void spaceWhileIdleOnlyAppliesTheSpeed() {
        showWindow();
        verifyControls(kIdle, kPause);
        QCOMPARE(form->Timer1->interval(), 1000u);
        press(Qt::Key_Space);
        verifyControls(kIdle, kPause);
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
        showWindow();
        start(u"Раз, два, три"_s);
        form->ComboBox1->setCurrentIndex(index);
        tick(1);
        QVERIFY(form->Timer1->interval() != static_cast<uint>(j));
        if (key == platform::HotKeys::kSpace)
            press(Qt::Key_Space);
        else
            press(key == platform::HotKeys::kKeypadPlus ? Qt::Key_Plus : Qt::Key_Minus,
                  Qt::KeypadModifier);
        QCOMPARE(form->ComboBox1->currentIndex(), newIndex);
        QCOMPARE(form->Timer1->interval(), static_cast<uint>(j));
    }

    // Shift with the keypad's plus and minus steps by ten words a minute, between the rows too;
    // plain plus and minus go to the next row; an item picked from the list is its row's speed.
    // The list shows the speed in use, and the step back follows it.
    void fineSpeedSteps_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("keys");  // + and - plain, > and < with Shift, 3: pick item 3
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("j");
        QTest::addColumn<int>("stepBack");
        QTest::newRow("shift+plus from 300") << 300 << u">"_s << 310 << 3 << 148 << 68;
        QTest::newRow("shift+minus from 300") << 300 << u"<"_s << 290 << 2 << 160 << 62;
        QTest::newRow("plus from 310: the next row") << 310 << u"+"_s << 350 << 4 << 142 << 80;
        QTest::newRow("minus from 310: its own row") << 310 << u"-"_s << 300 << 3 << 150 << 65;
        QTest::newRow("shift+plus at 1000 stays") << 1000 << u">"_s << 1000 << 17 << 44 << 300;
        QTest::newRow("shift+minus at 150 stays") << 150 << u"<"_s << 150 << 0 << 280 << 15;
        QTest::newRow("picked from the list") << 310 << u"3"_s << 300 << 3 << 150 << 65;
    }
    void fineSpeedSteps() {
        QFETCH(int, from);
        QFETCH(QString, keys);
        QFETCH(int, speed);
        QFETCH(int, index);
        QFETCH(int, j);
        QFETCH(int, stepBack);
        showWindow();
        start(words(400));
        form->ComboBox1->setSpeed(from);
        for (const QChar key : keys) {
            const Qt::KeyboardModifiers shift =
                key == u'>' || key == u'<' ? Qt::ShiftModifier : Qt::NoModifier;
            if (key == u'3') {
                form->ComboBox1->setCurrentIndex(3);
                emit form->ComboBox1->activated(3);
            } else {
                press(key == u'+' || key == u'>' ? Qt::Key_Plus : Qt::Key_Minus,
                      Qt::KeypadModifier | shift);
            }
        }
        QCOMPARE(form->ComboBox1->speed(), speed);
        QCOMPARE(form->ComboBox1->currentIndex(), index);
        QCOMPARE(form->Timer1->interval(), static_cast<uint>(j));
        tick(350);
        click(form->SpeedButton3);
        QCOMPARE(sh(), 350 - stepBack);
    }

    void stepBackWhileReadingPausesAndAgainStaysPaused() {
        showWindow();
        start(words(200));
        tick(100);
        click(form->SpeedButton3);
        QCOMPARE(sh(), 35);
        verifyControls(kPaused, kResume);
        click(form->SpeedButton3);
        QCOMPARE(sh(), 0);
        verifyControls(kPaused, kResume);
        press(Qt::Key_Space);
        verifyControls(kReading, kPause);
        tick(1);
        QCOMPARE(sh(), 1);
    }

    void stepBackAfterTheEndReplaysUnpausably() {
        showWindow();
        startAndEnd(words(100));
        QCOMPARE(sh(), 99);
        click(form->SpeedButton3);
        QCOMPARE(sh(), 34);
        verifyControls(kReplay, kPause);
        press(Qt::Key_Space);
        click(form->SpeedButton2);
        verifyControls(kReplay, kPause);
        tickToTheEnd();
        verifyControls(kEnded, kPause);
        QCOMPARE(sh(), 99);
        // The start button stays usable during a replay.
        click(form->SpeedButton3);
        click(form->SpeedButton1);
        verifyControls(kReading, kPause);
        QCOMPARE(sh(), 0);
    }

    void editAfterTheEndOnlyReleasesTheKeys() {
        startAndEnd(u"Раз два"_s);
        QCOMPARE(keysTaken(), 3);
        form->Memo1->setPlainText(u"Три"_s);
        verifyControls(kEnded, kPause);
        QCOMPARE(keysTaken(), 0);
        click(form->SpeedButton3);
        verifyControls(kReplay, kPause);
    }

    void editWhilePausedReleasesWithTheStatisticsRunning() {
        start(words(200));
        tick(150);
        click(form->SpeedButton2);
        form->Memo1->setPlainText(u"Три"_s);
        verifyControls(kReleasedAfterPause, kResume);
        QCOMPARE(keysTaken(), 0);
        // The caption is not the pause caption: only sh moves.
        click(form->SpeedButton3);
        QCOMPARE(sh(), 85);
        verifyControls(kReleasedAfterPause, kResume);
    }

    void startAfterPauseAndEditKeepsTheResumeCaption() {
        showWindow();
        start(words(10));
        click(form->SpeedButton2);
        start(words(200));
        verifyControls(kReading, kResume);
        tick(100);
        click(form->SpeedButton3);
        QCOMPARE(sh(), 35);
        verifyControls(kReading, kResume);
        press(Qt::Key_Space);
        verifyControls(kPaused, kResume);
        click(form->SpeedButton2);
        verifyControls(kReading, kPause);
    }

    // Before any start there is no script: the first tick ends the "reading" at once.
    void stepBackBeforeTheFirstStartEndsAtTheFirstTick() {
        platform::Timer::holdTicksForTesting(false);
        const QString strip = form->Label1->text() + form->Label2->text() + form->Label3->text();
        QSignalSpy ticks(form->Timer1, &platform::Timer::tick);
        click(form->SpeedButton3);
        verifyControls(kReplay, kPause);
        QTRY_VERIFY(!form->Timer1->enabled());
        QCOMPARE(ticks.count(), 1);
        verifyControls(kEnded, kPause);
        QCOMPARE(sh(), 0);
        QCOMPARE(form->Label1->text() + form->Label2->text() + form->Label3->text(), strip);
        QVERIFY(vocabularyAfterClosing().isEmpty());
    }

    // After a pause and an edit the start button works while the first text is still cut.
    void startDuringARunningCuttingAbandonsIt() {
        form->Memo1->setPlainText(words(2000));
        bool startedAgain = false;
        QTimer::singleShot(0, form.get(), [&] {
            click(form->SpeedButton2);
            form->Memo1->setPlainText(u"новый текст"_s);
            startedAgain = form->SpeedButton1->isEnabled() && form->reading().cutting();
            click(form->SpeedButton1);
        });
        click(form->SpeedButton1);
        QVERIFY(startedAgain);
        QVERIFY(!form->reading().cutting());
        const ReadingScript& sarr = form->reading().sarr();
        QCOMPARE(form->reading().k1(), 2);
        const DisplayEntry second = sarr.at(1).value_or(DisplayEntry{});
        QCOMPARE(QString::fromStdU16String(second.left + second.focus + second.right), u"текст"_s);
        QVERIFY(!sarr.filled(2));
        verifyControls(kReading, kResume);
    }

    void activationTakesAndReleasesTheKeys_data() {
        QTest::addColumn<bool>("reading");
        QTest::newRow("idle") << false;
        QTest::newRow("reading") << true;
    }
    void activationTakesAndReleasesTheKeys() {
        QFETCH(bool, reading);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        test::setActiveWindow(form.get());
        if (reading) start(words(10));
        setProgramActive(false);
        QCOMPARE(keysTaken(), 0);
        setProgramActive(true);
        QCOMPARE(keysTaken(), 3);
        setProgramActive(false);
        // Another window of the program, not the learning-mode explanation, takes the
        // activation: it gets the keys as they are typed, so they stay released.
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        test::setActiveWindow(&other);
        QCOMPARE(keysTaken(), 0);
    }

    // Real key events: taken keys never reach the text box; an edit gives them back to it.
    void hotKeysAreSwallowedUntilAnEditReleasesThem() {
        showWindow();
        form->Memo1->setPlainText(u"ab"_s);
        setProgramActive(true);
        QTest::keyClick(form->Memo1, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(form->Memo1, Qt::Key_Space);
        QTest::keyClick(form->Memo1, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(form->Memo1->toPlainText(), u"ab"_s);
        QCOMPARE(form->ComboBox1->currentIndex(), 4);
        QCOMPARE(form->Timer1->interval(), 142u);
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
        click(form->SpeedButton6);
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
        QTest::mouseClick(form->CheckBox1, Qt::LeftButton);
        QTest::mouseClick(form->CheckBox1, Qt::LeftButton);
        QCOMPARE(boxes->boxes.size(), 1u);
        QVERIFY(!form->CheckBox1->isChecked());
    }

    // While the box is open, ticks and hot keys go on, and the box taking the activation takes
    // the keys that were released before.
    void explanationBoxKeepsTicksAndHotKeysRunning() {
        platform::Timer::holdTicksForTesting(false);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        test::setActiveWindow(form.get());
        form->ComboBox1->setCurrentIndex(17);
        start(words(500));
        setProgramActive(false);
        bool checked = false;
        platform::setMessageBoxObserver([&](QMessageBox& box) {
            [&] {
                test::setActiveWindow(&box);
                const std::int32_t shown = sh();
                const std::int32_t ticks = form->reading().j2();
                QTRY_COMPARE(keysTaken(), 3);
                QTRY_VERIFY(sh() > shown + 2);
                QTRY_VERIFY(form->reading().j2() > ticks);
                QTest::keyClick(&box, Qt::Key_Space);
                checked = !form->Timer1->enabled() && box.isVisible();
            }();
            box.accept();
        });
        click(form->CheckBox1);
        QVERIFY(checked);
        verifyControls(kPaused, kResume);
    }

    // A short text at 1000 words a minute, read to its end in real time by a click and the
    // space bar.
    void aWholeReadingInRealTime() {
        platform::Timer::holdTicksForTesting(false);
        showWindow();
        form->ComboBox1->setCurrentIndex(17);
        form->Memo1->setPlainText(
            u"Раз два три четыре пять шесть восемь девять десять.\nОдин два три семь."_s);
        QSignalSpy ticks(form->Timer1, &platform::Timer::tick);
        click(form->SpeedButton1);
        QTRY_VERIFY(sh() >= 2);
        press(Qt::Key_Space);
        verifyControls(kPaused, kResume);
        press(Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(form->SpeedButton1->isEnabled(), 10'000);
        verifyControls(kEnded, kPause);
        QCOMPARE(sh(), form->reading().k1() - 1);
        QCOMPARE(ticks.count(), form->reading().k1());  // one tick an entry, none waited
        QCOMPARE(form->Label1->text() + form->Label2->text() + form->Label3->text(), u"семь."_s);
        QCOMPARE(keysTaken(), 3);
        QVERIFY(!vocabularyAfterClosing().isEmpty());
    }
};

}  // namespace orvell

QTEST_MAIN(orvell::ReadingControlTest)
#include "reading_control_test.moc"
