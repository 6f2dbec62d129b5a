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
    void init() { openWindow(); }
    void cleanup() {
        closeWindow();
        platform::setClockForTesting({});
    }

    void firstTickAfterAStart() {
        setClock({{2026, 5, 4}, {9, 30, 15, 400}});
        form->Memo1->setPlainText(u"один два три четыре пять "_s);
        form->SpeedButton1Click();
        QVERIFY(form->Timer2->enabled());
        setClock({{2026, 5, 4}, {9, 30, 15, 900}});
        form->sh = 3;
        form->Timer2Timer();
        QCOMPARE(form->j2, 1);
        QCOMPARE(form->Label13->text(), platform::formatLongTime({0, 0, 0}));
        QCOMPARE(form->Label14->text(), u"3 / 4"_s);
        QCOMPARE(form->Label15->text(), u"360"_s);
        QCOMPARE(form->ProgressBar1->maximum(), 4);
        QCOMPARE(form->ProgressBar1->value(), 3);
    }

    // Entries shown per minute: sh / j2 * 120, halves to the even neighbour.
    void speedFigure_data() {
        QTest::addColumn<int>("sh");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("figure");
        QTest::newRow("300 entries after 200 ticks") << 300 << 200 << u"180"_s;
        QTest::newRow("nothing shown") << 0 << 200 << u"0"_s;
        QTest::newRow("one tick") << 1 << 1 << u"120"_s;
        QTest::newRow("rounds down") << 1 << 7 << u"17"_s;
        QTest::newRow("half to even 0") << 1 << 240 << u"0"_s;
        QTest::newRow("half to even 2 from 1.5") << 3 << 240 << u"2"_s;
        QTest::newRow("half to even 2 from 2.5") << 5 << 240 << u"2"_s;
        QTest::newRow("full script in one tick") << 999'998 << 1 << u"119999760"_s;
    }
    void speedFigure() {
        QFETCH(int, sh);
        QFETCH(int, ticks);
        QFETCH(QString, figure);
        form->sh = sh;
        form->j2 = ticks - 1;
        form->Timer2Timer();
        QCOMPARE(form->j2, ticks);
        QCOMPARE(form->Label15->text(), figure);
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
        form->SpeedButton1Click();
        setClock(now);
        form->Timer2Timer();
        QCOMPARE(form->Label13->text(), platform::formatLongTime(shown));
    }

    // The bar's range is 0..k1-1 and never below 0..0; the position stays in the range.
    void progress_data() {
        QTest::addColumn<int>("k1");
        QTest::addColumn<int>("sh");
        QTest::addColumn<QString>("entries");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("position");
        QTest::newRow("no script yet") << 0 << 0 << u"0 / -1"_s << 0 << 0;
        QTest::newRow("one entry") << 1 << 0 << u"0 / 0"_s << 0 << 0;
        QTest::newRow("mid reading") << 10 << 3 << u"3 / 9"_s << 9 << 3;
        QTest::newRow("previous count while cutting") << 10 << 50 << u"50 / 9"_s << 9 << 9;
    }
    void progress() {
        QFETCH(int, k1);
        QFETCH(int, sh);
        QFETCH(QString, entries);
        QFETCH(int, maximum);
        QFETCH(int, position);
        form->k1 = k1;
        form->sh = sh;
        form->Timer2Timer();
        QCOMPARE(form->Label14->text(), entries);
        QCOMPARE(form->ProgressBar1->minimum(), 0);
        QCOMPARE(form->ProgressBar1->maximum(), maximum);
        QCOMPARE(form->ProgressBar1->value(), position);
    }

    void aPausedReadingGoesOnCounting() {
        setClock({{2026, 5, 4}, {12, 0, 0}});
        form->Memo1->setPlainText(u"один два три четыре пять "_s);
        form->SpeedButton1Click();
        form->sh = 4;
        form->SpeedButton2Click();
        setClock({{2026, 5, 4}, {12, 0, 2}});
        form->j2 = 3;
        form->Timer2Timer();
        QCOMPARE(form->Label15->text(), u"120"_s);
        setClock({{2026, 5, 4}, {12, 1, 0}});
        form->j2 = 119;
        form->Timer2Timer();
        QCOMPARE(form->Label13->text(), platform::formatLongTime({0, 1, 0}));
        QCOMPARE(form->Label14->text(), u"4 / 4"_s);
        QCOMPARE(form->Label15->text(), u"4"_s);
        QVERIFY(form->Timer2->enabled());
    }

    // The tick that finds the counter past its limit stops the timer and still refreshes.
    void tickCounterNeverOverflows() {
        form->Timer2->setEnabled(true);
        form->sh = 1;
        form->j2 = 2'100'000'000;
        form->Timer2Timer();
        QVERIFY(form->Timer2->enabled());
        form->Timer2Timer();
        QVERIFY(!form->Timer2->enabled());
        QCOMPARE(form->j2, 2'100'000'002);
        QCOMPARE(form->Label14->text(), u"1 / -1"_s);
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
        form->ProgressBar1MouseDown();
        form->ComboBox1->setCurrentIndex(17);
        form->Memo1->setPlainText(
            u"раз два три четыре пять шесть семь восемь девять десять "_s.repeated(3));
        form->SpeedButton1Click();
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
