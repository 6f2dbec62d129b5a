// The window's readings in the history: each run of reading is a sitting, the title tells what
// a reading added up to after its end until the next start, and Ctrl+H shows the history.

#include <QLabel>
#include <QRegularExpression>

#include "history/reading_history.h"
#include "tests/ui/ui_test_support.h"
#include "ui/history_window.h"

using namespace Qt::StringLiterals;

namespace orvell {

namespace {

const QString kText = u"Один два три. Четыре пять шесть семь.\nВосемь девять десять одиннадцать."_s;

}  // namespace

class HistoryLoggingTest : public test::WindowTestCase {
    Q_OBJECT

    void tickUntilEnd() {
        for (int i = 0; i < 100 && form->Timer1->enabled(); ++i) test::fire(form->Timer1);
        QVERIFY(!form->Timer1->enabled());
    }

  private slots:
    void init() {
        openWindow();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        platform::Timer::holdTicksForTesting(true);
    }
    void cleanup() {
        closeWindow();
        platform::Timer::holdTicksForTesting(false);
    }

    void aPausedReadingIsTwoSittingsAndItsEndTitlesTheWindow() {
        start(kText);
        for (int i = 0; i < 4; ++i) test::fire(form->Timer1);  // Один два три, a pause
        QTest::mouseClick(form->SpeedButton2, Qt::LeftButton);  // pause
        QTest::mouseClick(form->SpeedButton2, Qt::LeftButton);  // resume
        test::fire(form->Timer3);  // the autosave, in the second sitting
        tickUntilEnd();
        static const QRegularExpression kTally(
            u"^Прочитано: 11 слов за \\d+ с, [\\d\\x{00A0}]+ слов/мин$"_s);
        QVERIFY2(kTally.match(form->windowTitle()).hasMatch(), qPrintable(form->windowTitle()));

        QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
        auto* window = form->findChild<HistoryWindow*>();
        QVERIFY(window != nullptr && window->isVisible());
        FIND_CONTROL(words, QLabel, *window, "totalWords");
        QCOMPARE(words->text(), u"11"_s);

        form->saveBeforeExit();
        ReadingHistory kept(platform::dataFolder());
        QVERIFY(kept.open().on());
        const std::vector<Sitting> sittings =
            kept.sittings(std::chrono::sys_seconds{},
                          std::chrono::sys_days{std::chrono::year{9999} / 12 / 31});
        QCOMPARE(sittings.size(), std::size_t{2});
        QCOMPARE(sittings[0].words, 3);
        QCOMPARE(sittings[1].words, 8);
        QCOMPARE(sittings[1].lastEntry, form->reading().k1() - 1);
        QVERIFY(!sittings[0].book.has_value());  // a pasted text is no book

        start(kText);  // the next start gives the title back
        QCOMPARE(form->windowTitle(), u"Orvell"_s);
    }
};

}  // namespace orvell

QTEST_MAIN(orvell::HistoryLoggingTest)
#include "history_logging_test.moc"
