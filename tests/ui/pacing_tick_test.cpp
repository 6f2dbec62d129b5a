// The pacing tick as the window shows it: the strip, Timer1's interval, the learning mode read
// from the check box, and the ended state. The arithmetic is the reading core's, tested there.

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

#include "tests/ui/ui_test_support.h"
#include "ui/Unit1.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

using namespace Qt::StringLiterals;

namespace orvell {

namespace {

QString shown(const TForm1& form) {
    return form.Label1->text() + u'|' + form.Label2->text() + u'|' + form.Label3->text();
}

}  // namespace

class PacingTickTest : public test::WindowTestCase {
    Q_OBJECT

    void verifyEnded() {
        QVERIFY(form->Memo1->isEnabled());
        QVERIFY(!form->Timer1->enabled());
        QVERIFY(!form->Timer2->enabled());
        QVERIFY(!form->Timer3->enabled());
        QVERIFY(form->SpeedButton1->isEnabled());
        QVERIFY(!form->SpeedButton2->isEnabled());
    }

    // Ticks until the reading ends, remembering what each tick showed and the interval it set.
    QStringList tickToTheEnd() {
        QStringList seen;
        for (int i = 0; i < 1000 && form->Timer1->enabled(); ++i) {
            test::fire(form->Timer1);
            seen << u"%1 %2"_s.arg(shown(*form)).arg(form->Timer1->interval());
        }
        return seen;
    }

  private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    // Learning mode on: a new root doubles, the comma doubles and counts the factor again;
    // a sentence end brings two pauses. The strip keeps the last entry after the end.
    void aReadingShowsEachEntryForItsInterval() {
        start(u"Раз, раз, два. Три"_s);
        const QStringList expected = {u"Р|а|з, 1200"_s, u"р|а|з, 300"_s, u"д|в|а. 300"_s,
                                      // The pauses share the empty root: new at the first one.
                                      u"      | |         600"_s, u"      | |         300"_s,
                                      u"|Т|ри 300"_s};
        QCOMPARE(tickToTheEnd(), expected);
        verifyEnded();
        QCOMPARE(form->reading().sh(), form->reading().k1() - 1);
    }

    // A reading started after a pause and an edit keeps the resume caption to its end.
    void theEndKeepsTheCaption() {
        start(u"один"_s);
        QTest::mouseClick(form->SpeedButton2, Qt::LeftButton);
        start(u"Раз два"_s);
        QCOMPARE(form->SpeedButton2->text(), u"Продолжить [пробел]"_s);
        test::fire(form->Timer1);
        QVERIFY(form->Timer1->enabled());
        test::fire(form->Timer1);
        QCOMPARE(shown(*form), u"|д|ва"_s);
        verifyEnded();
        QCOMPARE(form->SpeedButton2->text(), u"Продолжить [пробел]"_s);
    }

    // The tick reads the check box: unchecked, the vocabulary stays as it was.
    void learningModeIsReadFromTheCheckBox() {
        test::MessageBoxRecorder explanation;
        QTest::mouseClick(form->CheckBox1, Qt::LeftButton);
        QVERIFY(!form->CheckBox1->isChecked());
        start(u"словечко словечко"_s);
        test::fire(form->Timer1);
        QCOMPARE(form->Timer1->interval(), 150u);
        QTest::mouseClick(form->CheckBox1, Qt::LeftButton);
        test::fire(form->Timer1);
        QCOMPARE(form->Timer1->interval(), 300u);
        QCOMPARE(vocabularyAfterClosing().size(), 1);
    }

    void learningModeOffLearnsNothing() {
        test::MessageBoxRecorder explanation;
        QTest::mouseClick(form->CheckBox1, Qt::LeftButton);
        start(u"Раз, два. Три"_s);
        tickToTheEnd();
        QVERIFY(vocabularyAfterClosing().isEmpty());
    }

    // Ticks come while the text is still cut: the first shows the first entry, the next waits
    // for the cutting instead of ending the reading.
    void ticksDuringTheCuttingWaitForIt() {
        form->Memo1->setPlainText(u"Раз, два.\nТри четыре"_s);
        QString first;
        QString afterWait;
        bool waited = false;
        QTimer::singleShot(0, form.get(), [&] {
            test::fire(form->Timer1);
            first = shown(*form);
            test::fire(form->Timer1);
            afterWait = shown(*form);
            waited = form->Timer1->enabled() && form->reading().cutting();
        });
        QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
        QVERIFY(waited);
        QCOMPARE(first, u"Р|а|з,"_s);
        QCOMPARE(afterWait, first);
        QVERIFY(!form->reading().cutting());
        QCOMPARE(tickToTheEnd().size(), form->reading().k1() - 1);
        verifyEnded();
    }
};

}  // namespace orvell

QTEST_MAIN(orvell::PacingTickTest)
#include "pacing_tick_test.moc"
