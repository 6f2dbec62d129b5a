#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <memory>

#include "engine/segmentation.h"
#include "tests/ui/ui_test_support.h"
#include "ui/Unit1.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

using namespace Qt::StringLiterals;

namespace orvell {

namespace {

DisplayEntry entry(const QString& left, const QString& focus, const QString& right) {
    return {left.toStdU16String(), focus.toStdU16String(), right.toStdU16String()};
}

QString shown(const TForm1& form) {
    return form.Label1->text() + u'|' + form.Label2->text() + u'|' + form.Label3->text();
}

}  // namespace

class PacingTickTest : public test::WindowTestCase {
    Q_OBJECT

    // The window as a start leaves it.
    void setReading() {
        form->Memo1->setEnabled(false);
        form->SpeedButton1->setEnabled(false);
        form->SpeedButton2->setEnabled(true);
        form->Timer1->setEnabled(true);
        form->Timer2->setEnabled(true);
        form->Timer3->setEnabled(true);
    }

    void verifyEnded() {
        QVERIFY(form->Memo1->isEnabled());
        QVERIFY(!form->Timer1->enabled());
        QVERIFY(!form->Timer2->enabled());
        QVERIFY(!form->Timer3->enabled());
        QVERIFY(form->SpeedButton1->isEnabled());
        QVERIFY(!form->SpeedButton2->isEnabled());
    }

    // Ticks until the reading ends, remembering what each tick showed.
    QStringList tickToTheEnd() {
        QStringList seen;
        for (int i = 0; i < 1000 && form->Timer1->enabled(); ++i) {
            form->Timer1Timer();
            seen << shown(*form);
        }
        return seen;
    }

  private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void interval_data() {
        QTest::addColumn<int>("j");
        QTest::addColumn<QString>("right");
        QTest::addColumn<bool>("newRoot");
        QTest::addColumn<uint>("expected");
        QTest::newRow("empty right") << 150 << u""_s << false << 105u;
        QTest::newRow("empty right, new root") << 150 << u""_s << true << 210u;
        QTest::newRow("1 letter") << 150 << u"a"_s << false << 105u;
        QTest::newRow("2 letters") << 150 << u"ab"_s << false << 150u;
        QTest::newRow("3 letters, new root") << 150 << u"abc"_s << true << 300u;
        QTest::newRow("5 letters") << 150 << u"abcde"_s << false << 150u;
        QTest::newRow("6 letters") << 150 << u"abcdef"_s << false << 225u;
        QTest::newRow("6 letters, new root") << 150 << u"abcdef"_s << true << 450u;
        QTest::newRow("7 letters") << 150 << u"abcdefg"_s << false << 225u;
        QTest::newRow("8 letters") << 150 << u"abcdefgh"_s << false << 300u;
        QTest::newRow("8 letters, new root") << 150 << u"abcdefgh"_s << true << 600u;
        QTest::newRow("3 letters and a comma") << 150 << u"abc,"_s << false << 300u;
        QTest::newRow("3 letters and a comma, new root") << 150 << u"abc,"_s << true << 1200u;
        QTest::newRow("8 letters and a colon") << 150 << u"abcdefgh:"_s << false << 600u;
        QTest::newRow("8 letters and a colon, new root") << 150 << u"abcdefgh:"_s << true << 2400u;
        QTest::newRow("semicolon inside") << 150 << u"a;b"_s << false << 300u;
        QTest::newRow("full stop") << 150 << u"abc."_s << false << 150u;
        QTest::newRow("exclamation") << 150 << u"abc!"_s << false << 150u;
        QTest::newRow("question") << 150 << u"abc?"_s << false << 150u;
        QTest::newRow("pause entry") << 150 << u"        "_s << false << 300u;
        QTest::newRow("half to even, j 65") << 65 << u""_s << false << 46u;
        QTest::newRow("half to even, j 55") << 55 << u""_s << false << 38u;
        QTest::newRow("half to even, j 133") << 133 << u"abcdef"_s << false << 200u;
        QTest::newRow("half to even, j 91") << 91 << u"abcdefg"_s << false << 136u;
        QTest::newRow("factor before rounding, j 75") << 75 << u"a"_s << true << 105u;
        QTest::newRow("factor before rounding, j 75, 6 letters")
            << 75 << u"abcdef"_s << true << 225u;
        QTest::newRow("shortest, j 44") << 44 << u""_s << false << 31u;
    }
    // Learning mode on: a root never seen gives factor 2, a known root factor 1.
    void interval() {
        QFETCH(int, j);
        QFETCH(QString, right);
        QFETCH(bool, newRoot);
        QFETCH(uint, expected);
        const DisplayEntry e = entry(u"x"_s, u"q"_s, right);
        if (!newRoot) form->larr.lookup(e);
        form->sarr.store(0, e);
        form->sarr.store(1, e);
        form->j = j;
        form->Timer1->setEnabled(true);
        form->Timer1Timer();
        QCOMPARE(form->Timer1->interval(), expected);
        QCOMPARE(form->sh, 1);
    }

    void loneColonGetsTheShortRuleOnly() {
        form->CheckBox1->setChecked(false);
        form->sarr.store(0, entry(u""_s, u":"_s, u""_s));
        form->sarr.store(1, entry(u""_s, u":"_s, u""_s));
        form->j = 150;
        form->Timer1Timer();
        QCOMPARE(form->Timer1->interval(), 105u);
    }

    void learningModeOffLeavesTheVocabularyAlone() {
        form->CheckBox1->setChecked(false);
        form->sarr.store(0, entry(u"сл"_s, u"о"_s, u"вечко"_s));
        form->sarr.store(1, entry(u"сл"_s, u"о"_s, u"вечко"_s));
        form->j = 150;
        form->Timer1Timer();
        QVERIFY(form->larr.larr().empty());
        QCOMPARE(form->Timer1->interval(), 150u);
        form->CheckBox1->setChecked(true);
        form->Timer1Timer();
        QCOMPARE(form->larr.larr().size(), 1u);
        QCOMPARE(form->Timer1->interval(), 300u);
    }

    void theLastEntryEndsTheReading() {
        form->sarr.store(0, entry(u"Ра"_s, u"з"_s, u" "_s));
        form->sarr.store(1, entry(u"д"_s, u"в"_s, u"а."_s));
        form->j = 150;
        setReading();
        form->SpeedButton2->setText(u"Продолжить [пробел]"_s);
        form->Timer1Timer();
        QCOMPARE(form->sh, 1);
        QVERIFY(form->Timer1->enabled());
        form->Timer1Timer();
        QCOMPARE(form->sh, 1);
        QCOMPARE(shown(*form), u"д|в|а."_s);
        verifyEnded();
        QCOMPARE(form->SpeedButton2->text(), u"Продолжить [пробел]"_s);
    }

    void aTickWithNoScriptEndsAtOnceAndChangesNothingElse() {
        const QString before = shown(*form);
        setReading();
        form->Timer1Timer();
        verifyEnded();
        QCOMPARE(shown(*form), before);
        QVERIFY(form->larr.larr().empty());
        QCOMPARE(form->sh, 0);
    }

    // A whole reading: the cutting runs while the first ticks already show words; ticks that
    // catch up with the cutting wait, and the reading ends only at the real end.
    void aReadingWaitsForTheCuttingAndEndsAtTheRealEnd() {
        form->Memo1->setPlainText(u"Раз, два.\nТри четыре"_s);
        setReading();
        QString afterWait;
        bool waited = false;
        QTimer::singleShot(0, form.get(), [&] {
            // Inside the first yield: only the first entry is cut yet.
            form->Timer1Timer();
            const QString first = shown(*form);
            const std::int32_t sh = form->sh;
            form->Timer1Timer();
            waited = form->Timer1->enabled() && shown(*form) == first && form->sh == sh &&
                     form->cuttingRunning();
            afterWait = first;
        });
        form->cutScriptFromMemo();
        QVERIFY(!form->cuttingRunning());
        QVERIFY(waited);
        const DisplayEntry* first = form->sarr.at(0);
        QVERIFY(first != nullptr);
        QCOMPARE(afterWait, QString::fromStdU16String(first->left + u'|' + first->focus + u'|' +
                                                      first->right));
        QVERIFY(form->k1 > 2);
        const QStringList rest = tickToTheEnd();
        verifyEnded();
        QCOMPARE(form->sh, form->k1 - 1);
        const DisplayEntry* last = form->sarr.at(form->k1 - 1);
        QVERIFY(last != nullptr);
        QCOMPARE(rest.back(),
                 QString::fromStdU16String(last->left + u'|' + last->focus + u'|' + last->right));
        QCOMPARE(rest.size(), form->k1 - 1);
    }

    // The display keeps up with the cutting to its last entry: the tick after the cutting
    // ends finds nothing more and ends the reading on the last entry, as if the cutting had
    // been ahead all the time.
    void aReadingRightBehindTheCuttingEndsOnItsLastEntry() {
        form->Memo1->setPlainText(u"один два три"_s);
        setReading();
        QTimer keepUp;
        keepUp.setInterval(0);
        connect(&keepUp, &QTimer::timeout, form.get(), [&] {
            while (form->cuttingRunning() && form->sarr.filled(form->sh)) form->Timer1Timer();
        });
        keepUp.start();
        form->cutScriptFromMemo();
        keepUp.stop();
        QCOMPARE(form->sh, form->k1);
        QVERIFY(form->Timer1->enabled());
        const QString last = shown(*form);
        const auto roots = form->larr.larr().size();
        form->Timer1Timer();
        verifyEnded();
        QCOMPARE(form->sh, form->k1 - 1);
        QCOMPARE(shown(*form), last);
        QCOMPARE(form->larr.larr().size(), roots);
        QCOMPARE(last, u"|т|ри"_s);
    }

    void aNewerStartAbandonsTheOlderCutting() {
        form->Memo1->setPlainText(u"один два три четыре пять"_s);
        QTimer::singleShot(0, form.get(), [&] {
            form->Memo1->setPlainText(u"новый текст"_s);
            form->cutScriptFromMemo();
        });
        form->cutScriptFromMemo();
        QVERIFY(!form->cuttingRunning());
        ReadingScript expected;
        std::int32_t k1 = 0;
        cutText(u"новый текст", expected, k1, [] { return true; });
        QCOMPARE(form->k1, k1);
        for (std::int32_t i = 0; i <= k1; ++i) QVERIFY(form->sarr.filled(i) == expected.filled(i));
        for (std::int32_t i = 0; i < k1; ++i) QVERIFY(*form->sarr.at(i) == *expected.at(i));
    }
};

}  // namespace orvell

QTEST_MAIN(orvell::PacingTickTest)
#include "pacing_tick_test.moc"
