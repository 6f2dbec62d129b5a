#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <vector>

#include "tests/ui/ui_test_support.h"
#include "ui/platform/activation.h"
#include "ui/platform/clock.h"
#include "ui/platform/dock_layout.h"
#include "ui/platform/hot_keys.h"
#include "ui/platform/progress_state.h"
#include "ui/platform/timer.h"

using namespace Qt::StringLiterals;

namespace orvell::platform {

class PlatformTest : public QObject {
    Q_OBJECT

  private slots:
    void timerKeepsItsPeriodWhenNothingChanges() {
        Timer timer(u"t"_s, 400, nullptr);
        QSignalSpy ticks(&timer, &Timer::tick);
        QElapsedTimer clock;
        clock.start();
        timer.setEnabled(true);
        QTest::qWait(250);
        timer.setEnabled(true);
        timer.setInterval(400);
        QVERIFY(ticks.wait(1000));
        // Restarted, the tick would have come about 650 ms after the start.
        QVERIFY2(clock.elapsed() < 600, qPrintable(QString::number(clock.elapsed())));
    }

    void newIntervalRestartsThePeriod() {
        Timer timer(u"t"_s, 400, nullptr);
        QSignalSpy ticks(&timer, &Timer::tick);
        timer.setEnabled(true);
        QTest::qWait(250);
        QElapsedTimer clock;
        clock.start();
        timer.setInterval(300);
        QCOMPARE(timer.interval(), 300u);
        QVERIFY(ticks.wait(1000));
        QVERIFY2(clock.elapsed() >= 280, qPrintable(QString::number(clock.elapsed())));
        timer.setEnabled(false);
        QVERIFY(!timer.enabled());
    }

    void aTickThatStopsItsTimerIsTheLast() {
        Timer timer(u"t"_s, 20, nullptr);
        std::vector<bool> enabledDuringTick;
        connect(&timer, &Timer::tick, [&] {
            enabledDuringTick.push_back(timer.enabled());
            timer.setEnabled(false);
        });
        timer.setEnabled(true);
        QTRY_COMPARE(enabledDuringTick.size(), 1u);
        QTest::qWait(100);
        QCOMPARE(enabledDuringTick, std::vector<bool>{true});
    }

    void hotKeyRegistration() {
        QWidget window;
        HotKeys keys([](int) {}, window);
        QVERIFY(keys.registerHotKey(HotKeys::kSpace));
        QVERIFY(!keys.registerHotKey(HotKeys::kSpace));
        QVERIFY(!keys.registerHotKey(65));
        keys.unregisterHotKey(HotKeys::kKeypadPlus);
        QVERIFY(keys.isRegistered(HotKeys::kSpace));
        keys.unregisterHotKey(HotKeys::kSpace);
        QVERIFY(!keys.isRegistered(HotKeys::kSpace));
    }

    // In the keys' own window, or one that shares them; every other window gets them typed.
    void registeredKeysNeverReachTheFocusedControl() {
        std::vector<int> delivered;
        QLineEdit edit;
        HotKeys keys([&](int id) { delivered.push_back(id); }, edit);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        for (int id : {HotKeys::kKeypadPlus, HotKeys::kSpace, HotKeys::kKeypadMinus})
            keys.registerHotKey(id);
        QTest::keyClick(&edit, Qt::Key_Space);
        QTest::keyClick(&edit, Qt::Key_Plus, Qt::KeypadModifier);
        QTest::keyClick(&edit, Qt::Key_Minus, Qt::KeypadModifier);
        // Not hot keys: the main keyboard's plus and a space with Shift.
        QTest::keyClick(&edit, Qt::Key_Plus);
        QTest::keyClick(&edit, Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(delivered, (std::vector<int>{32, 107, 109}));
        QCOMPARE(edit.text(), u"+ "_s);
        QLineEdit dialog;
        QLineEdit box;
        HotKeys::shareWith(box);
        for (QLineEdit* other : {&dialog, &box}) {
            QTest::keyClick(other, Qt::Key_Space);
            QTest::keyClick(other, Qt::Key_Plus, Qt::KeypadModifier);
        }
        QCOMPARE(dialog.text(), u" +"_s);
        QCOMPARE(box.text(), QString());
        QCOMPARE(delivered, (std::vector<int>{32, 107, 109, 32, 107}));
        keys.unregisterHotKey(HotKeys::kSpace);
        QTest::keyClick(&edit, Qt::Key_Space);
        QCOMPARE(edit.text(), u"+  "_s);
    }

    void autoRepeatDeliversRepeatedHotKeys() {
        int count = 0;
        QLineEdit edit;
        HotKeys keys([&](int) { ++count; }, edit);
        keys.registerHotKey(HotKeys::kKeypadPlus);
        for (int i = 0; i < 3; ++i) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier, u"+"_s, i > 0);
            QApplication::sendEvent(&edit, &press);
        }
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Plus, Qt::KeypadModifier, u"+"_s);
        QVERIFY(QApplication::sendEvent(&edit, &release));
        QCOMPARE(count, 3);
        QVERIFY(edit.text().isEmpty());
    }

    void applicationStatesRunTheirHandlers() {
        QWidget window;
        Activation activation(window);
        QStringList calls;
        activation.connectApplication([&] { calls << u"activate"_s; },
                                      [&] { calls << u"deactivate"_s; });
        activation.applicationStateChanged(Qt::ApplicationActive);
        activation.applicationStateChanged(Qt::ApplicationInactive);
        activation.applicationStateChanged(Qt::ApplicationHidden);
        QCOMPARE(calls, (QStringList{u"activate"_s, u"deactivate"_s}));
    }

    void anotherWindowOfTheProgramTakingTheActivationDeactivatesTheWindow() {
        QWidget window;
        Activation activation(window);
        int deactivated = 0;
        activation.onWindowDeactivate([&] { ++deactivated; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        test::setActiveWindow(&window);
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        test::setActiveWindow(&other);
        QTRY_COMPARE(deactivated, 1);
    }

    void zoneFieldRemoved_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("24 hours") << u"HH:mm:ss t"_s << u"HH:mm:ss"_s;
        QTest::newRow("12 hours") << u"h:mm:ss AP t"_s << u"h:mm:ss AP"_s;
        QTest::newRow("zone first") << u"t HH:mm:ss"_s << u"HH:mm:ss"_s;
        QTest::newRow("quoted t kept") << u"H 'that' mm t"_s << u"H 'that' mm"_s;
        QTest::newRow("no zone") << u"HH:mm:ss"_s << u"HH:mm:ss"_s;
    }
    void zoneFieldRemoved() {
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(withoutZone(format), expected);
    }

    void longTimeRoundTrips() {
        QVERIFY(!longTimeFormat().contains(u't'));
        const QTime t(23, 59, 50);
        const QString text = formatLongTime(t);
        QVERIFY(!text.contains(u"UTC"_s));
        QCOMPARE(parseLongTime(text), t);
    }

    void clockCanBeReplaced() {
        QDateTime fixed(QDate(2024, 1, 1), QTime(23, 59, 50));
        setClockForTesting([&] { return fixed; });
        QCOMPARE(now(), fixed);
        setClockForTesting({});
        QVERIFY(now() != fixed);
    }

    void progressBarStates() {
        QProgressBar bar;
        QCOMPARE(barState(bar), pbsNormal);
        for (auto s : {pbsPaused, pbsError, pbsNormal}) {
            setBarState(bar, s);
            QCOMPARE(barState(bar), s);
        }
    }

    void messageBoxesAreModalWithOneOkAndTheTitle() {
        test::MessageBoxRecorder boxes;
        showError(nullptr, u"File access denied."_s);
        showMessage(nullptr, u"Режим"_s);
        QCOMPARE(boxes.boxes.size(), 2u);
        QCOMPARE(boxes.boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(boxes.boxes[0].caption, u"Orvell"_s);
        QCOMPARE(boxes.boxes[0].text, u"File access denied."_s);
        QCOMPARE(boxes.boxes[1].icon, QMessageBox::NoIcon);
        QCOMPARE(boxes.boxes[1].caption, u"Orvell"_s);
        QCOMPARE(boxes.boxes[1].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    // A text wider than its parent keeps its docked edge and runs over the other one.
    void dockedLabelKeepsItsEdge() {
        QWidget parent;
        parent.resize(50, 20);
        auto* label = new QLabel(u"a long text, longer than fifty pixels"_s, &parent);
        auto* layout = new DockLayout(DockLayout::Edge::Right, &parent, label);
        layout->activate();
        QCOMPARE(label->geometry().right(), 49);
        QVERIFY(label->x() < 0);
        QVERIFY(label->geometry().bottom() == 19);
        label->setText(u"ab"_s);
        layout->activate();
        QCOMPARE(label->geometry().right(), 49);
        QCOMPARE(label->width(), label->sizeHint().width());
    }
};

}  // namespace orvell::platform

QTEST_MAIN(orvell::platform::PlatformTest)
#include "platform_test.moc"
