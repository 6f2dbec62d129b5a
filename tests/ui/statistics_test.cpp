#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <memory>

#include "tests/ui/ui_test_support.h"
#include "ui/Unit1.h"
#include "ui/platform/clock.h"
#include "ui/platform/progress_state.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

using namespace Qt::StringLiterals;

namespace orvell {

class StatisticsTest : public test::WindowTestCase {
    Q_OBJECT

    QDateTime clock;

    void setClock(const QDateTime& t) {
        clock = t;
        platform::setClockForTesting([this] { return clock; });
    }

  private slots:
    void init() {
        openWindow();
        // Only the ticks a test fires count, unless it reads in real time.
        platform::Timer::holdTicksForTesting(true);
    }
    void cleanup() {
        closeWindow();
        platform::setClockForTesting({});
        platform::Timer::holdTicksForTesting(false);
    }

    void tick(platform::Timer* timer, int times) {
        for (int i = 0; i < times; ++i) test::fire(timer);
    }

    // The figures come from the reading core (tested there); here: which label shows which.
    void firstTickAfterAStart() {
        setClock({{2026, 5, 4}, {9, 30, 15, 400}});
        tick(form->Timer2, 77);  // counted before the start, forgotten by it
        start(u"один два три четыре пять "_s);
        QVERIFY(form->Timer2->enabled());
        tick(form->Timer1, 3);
        setClock({{2026, 5, 4}, {9, 30, 15, 900}});
        test::fire(form->Timer2);
        QCOMPARE(form->Label13->text(), platform::formatLongTime({0, 0, 0}));
        QCOMPARE(form->Label14->text(), u"3 / 4"_s);
        QCOMPARE(form->Label15->text(), u"360"_s);
        QCOMPARE(form->ProgressBar1->maximum(), 4);
        QCOMPARE(form->ProgressBar1->value(), 3);
    }

    // Before the first cutting the entries read -1 as the last index; the bar keeps 0..0.
    void aTickBeforeAnyScript() {
        test::fire(form->Timer2);
        QCOMPARE(form->Label14->text(), u"0 / -1"_s);
        QCOMPARE(form->Label15->text(), u"0"_s);
        QCOMPARE(form->ProgressBar1->minimum(), 0);
        QCOMPARE(form->ProgressBar1->maximum(), 0);
        QCOMPARE(form->ProgressBar1->value(), 0);
    }

    void elapsedTime_data() {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QTime>("shown");
        const QDate day{2026, 5, 4};
        QTest::newRow("twenty seconds")
            << QDateTime(day, {10, 0, 0}) << QDateTime(day, {10, 0, 20}) << QTime(0, 0, 20);
        QTest::newRow("across midnight")
            << QDateTime(day, {23, 59, 50}) << QDateTime(day.addDays(1), {0, 0, 10})
            << QTime(0, 0, 20);
        QTest::newRow("over a day, modulo 24 hours")
            << QDateTime(day, {10, 0, 0}) << QDateTime(day.addDays(1), {11, 2, 3})
            << QTime(1, 2, 3);
        // The start keeps whole seconds only.
        QTest::newRow("from the whole second")
            << QDateTime(day, {10, 0, 0, 900}) << QDateTime(day, {10, 0, 1, 100}) << QTime(0, 0, 1);
    }
    void elapsedTime() {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, now);
        QFETCH(QTime, shown);
        setClock(start);
        QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
        setClock(now);
        test::fire(form->Timer2);
        QCOMPARE(form->Label13->text(), platform::formatLongTime(shown));
    }

    // Paused time counts: the elapsed time and the tick count grow, the speed figure falls.
    void aPausedReadingGoesOnCounting() {
        setClock({{2026, 5, 4}, {12, 0, 0}});
        start(u"один два три четыре пять "_s);
        tick(form->Timer1, 4);
        QTest::mouseClick(form->SpeedButton2, Qt::LeftButton);
        setClock({{2026, 5, 4}, {12, 0, 2}});
        tick(form->Timer2, 4);
        QCOMPARE(form->Label15->text(), u"120"_s);
        setClock({{2026, 5, 4}, {12, 1, 0}});
        tick(form->Timer2, 116);
        QCOMPARE(form->Label13->text(), platform::formatLongTime({0, 1, 0}));
        QCOMPARE(form->Label14->text(), u"4 / 4"_s);
        QCOMPARE(form->Label15->text(), u"4"_s);
        QVERIFY(form->Timer2->enabled());
    }

    void anyButtonCyclesTheBarColour_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }
    void anyButtonCyclesTheBarColour() {
        QFETCH(Qt::MouseButton, button);
        QProgressBar& bar = *form->ProgressBar1;
        QTest::mousePress(&bar, button);
        QCOMPARE(platform::barState(bar), platform::pbsPaused);
        QTest::mousePress(&bar, button);
        QCOMPARE(platform::barState(bar), platform::pbsError);
        QTest::mousePress(&bar, button);
        QCOMPARE(platform::barState(bar), platform::pbsNormal);
    }

    // A short text at 1000 words a minute in real time: the figures appear while it runs, stay
    // after the end, and the bar keeps the colour chosen before.
    void statisticsOfARealReading() {
        platform::Timer::holdTicksForTesting(false);
        QTest::mouseClick(form->ProgressBar1, Qt::LeftButton);
        form->ComboBox1->setCurrentIndex(17);
        start(u"раз два три четыре пять шесть семь восемь девять десять "_s.repeated(3));
        QTRY_VERIFY(form->Label14->text() != u"-"_s);
        QVERIFY(form->Label15->text().toInt() > 0);
        QTRY_VERIFY_WITH_TIMEOUT(!form->Timer1->enabled(), 20'000);
        QVERIFY(!form->Timer2->enabled());
        const QString entries = form->Label14->text();
        QTest::qWait(600);
        QCOMPARE(form->Label14->text(), entries);
        QCOMPARE(form->ProgressBar1->maximum(), 29);
        QCOMPARE(platform::barState(*form->ProgressBar1), platform::pbsPaused);
    }
};

}  // namespace orvell

QTEST_MAIN(orvell::StatisticsTest)
#include "statistics_test.moc"
