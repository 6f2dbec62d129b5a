// Finding the way in a book as a user does: the arrow and page keys during a reading and a
// pause, the mark of the reading's word in a pause, "Читать отсюда" from the text box's menu,
// the chapter in the title and the time left on the progress bar.

#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>

#include "tests/ui/ui_test_support.h"
#include "ui/qt_translations.h"

using namespace Qt::StringLiterals;

namespace orvell {

namespace {

// Two chapters of two paragraphs; the first sentence is long enough to take over a second.
const QString kBook =
    u"<?xml version=\"1.0\" encoding=\"utf-8\"?><FictionBook><body>"
    u"<section><title><p>Первая</p></title>"
    u"<p>Один два три четыре пять шесть семь восемь девять десять. Второе предложение.</p>"
    u"<p>Второй абзац.</p></section>"
    u"<section><title><p>Вторая</p></title><p>Третий абзац.</p><p>Четвёртый абзац.</p>"
    u"</section></body></FictionBook>"_s;

}  // namespace

class MovingTest : public test::WindowTestCase {
    Q_OBJECT

    std::unique_ptr<test::MessageBoxRecorder> boxes;
    // The first item of the text box's menu last opened, as a user reads it.
    QString firstMenuItem;

    QString word(std::int32_t entry) const {
        const std::optional<DisplayEntry> e = form->reading().sarr().at(entry);
        return !e ? QString() : QString::fromStdU16String(e->left + e->focus + e->right);
    }
    QString wordAtPlace() const { return word(form->reading().sh()).trimmed(); }

    void openBook() {
        const QString path = folder->file(u"book.fb2"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kBook.toUtf8());
        file.close();
        form->openFile(path);
    }

    void tick(int times) {
        for (int i = 0; i < times; ++i) test::fire(form->Timer1);
    }

    // Opens the book, starts it and reads up to `word`.
    void readUpTo(const QString& until) {
        openBook();
        QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
        for (int i = 0; i < 200 && wordAtPlace() != until; ++i) tick(1);
        QCOMPARE(wordAtPlace(), until);
    }

    // The text box's context menu at the start of `text`, answered with "Читать отсюда".
    void readFromHere(const QString& text) {
        QTextCursor at(form->Memo1->document());
        at.setPosition(static_cast<int>(form->Memo1->toPlainText().indexOf(text)) + 1);
        const QPoint point = form->Memo1->cursorRect(at).center();
        QTimer::singleShot(0, form.get(), [this] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu != nullptr);
            firstMenuItem = menu->actions().value(0)->text().remove(u'&').section(u'\t', 0, 0);
            auto* action = menu->findChild<QAction*>(u"readFromHere"_s);
            QVERIFY(action != nullptr);
            QCOMPARE(action->text(), u"Читать отсюда"_s);
            action->trigger();
            menu->close();
        });
        emit form->Memo1->customContextMenuRequested(point);
    }

  private slots:
    // As the program does at its start.
    void initTestCase() { translateQtIntoRussian(); }
    void init() {
        boxes = std::make_unique<test::MessageBoxRecorder>();
        openWindow();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        test::setActiveWindow(form.get());
        test::activationOf(*form)->applicationStateChanged(Qt::ApplicationActive);
        // Only the ticks a test fires count.
        platform::Timer::holdTicksForTesting(true);
    }
    void cleanup() {
        closeWindow();
        boxes.reset();
        platform::Timer::holdTicksForTesting(false);
    }

    void eachKeyMovesTheReading_data() {
        QTest::addColumn<bool>("paused");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        for (const bool paused : {false, true}) {
            const char* state = paused ? "paused" : "running";
            const auto row = [&](const char* name, Qt::Key key, const QString& from,
                                 const QString& to) {
                QTest::addRow("%s, %s", state, name) << paused << int(key) << from << to;
            };
            row("right: next sentence", Qt::Key_Right, u"три"_s, u"Второе"_s);
            row("left late in a sentence: its start", Qt::Key_Left, u"десять."_s, u"Один"_s);
            row("left early: the sentence before", Qt::Key_Left, u"предложение."_s, u"Один"_s);
            row("down: next paragraph", Qt::Key_Down, u"два"_s, u"Второй"_s);
            row("up late in a paragraph: its start", Qt::Key_Up, u"предложение."_s, u"Один"_s);
            row("page down: next chapter", Qt::Key_PageDown, u"два"_s, u"Вторая"_s);
            row("page up early: the chapter before", Qt::Key_PageUp, u"Третий"_s, u"Первая"_s);
        }
    }
    void eachKeyMovesTheReading() {
        QFETCH(bool, paused);
        QFETCH(int, key);
        QFETCH(QString, from);
        QFETCH(QString, to);
        readUpTo(from);
        if (paused) QTest::keyClick(form.get(), Qt::Key_Space);
        QTest::keyClick(form->Memo1, static_cast<Qt::Key>(key));
        QCOMPARE(wordAtPlace(), to);
        QCOMPARE(form->Timer1->enabled(), !paused);
        // A paused reading marks its word, which is not the selection.
        const auto marks = form->Memo1->extraSelections();
        QCOMPARE(marks.size(), paused ? 1 : 0);
        if (paused) QCOMPARE(marks.front().cursor.selectedText(), to);
        QVERIFY(!form->Memo1->textCursor().hasSelection() || !paused ||
                form->Memo1->textCursor().selectedText() != to);
        if (!paused) {
            tick(1);
            QCOMPARE(form->Label1->text() + form->Label2->text() + form->Label3->text(),
                     word(form->reading().sh() - 1));
        }
    }

    // Skipped entries are not counted as read; the place is remembered after the move.
    void aMoveForwardKeepsTheSpeedHonestAndIsRemembered() {
        readUpTo(u"два"_s);
        const std::int32_t read = form->reading().sh();
        QTest::keyClick(form.get(), Qt::Key_PageDown);
        QVERIFY(form->reading().sh() > read + 10);
        test::fire(form->Timer2);
        // The entries read, in one statistics tick's time: a minute has 120 of them.
        QCOMPARE(form->Label15->text(), QString::number(read * 120));
        QTest::keyClick(form.get(), Qt::Key_Space);
        QVERIFY(form->SpeedButton1->toolTip().contains(u"(%1 из"_s.arg(form->reading().sh())));
    }

    void theKeysReachTheTextBoxAgainAfterAnEdit() {
        readUpTo(u"три"_s);
        QTest::keyClick(form.get(), Qt::Key_Space);
        QTest::keyClick(form->Memo1, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(form->Memo1, Qt::Key_X);
        const std::int32_t place = form->reading().sh();
        const int cursor = form->Memo1->textCursor().position();
        QTest::keyClick(form->Memo1, Qt::Key_Left);
        QCOMPARE(form->Memo1->textCursor().position(), cursor - 1);
        QCOMPARE(form->reading().sh(), place);
        QVERIFY(form->Memo1->extraSelections().isEmpty());
    }

    void thePauseMarksTheWordShownUntilTheResume() {
        readUpTo(u"четыре"_s);
        QTest::keyClick(form.get(), Qt::Key_Space);
        // The word last shown in the strip.
        QCOMPARE(form->Memo1->extraSelections().size(), 1);
        QCOMPARE(form->Memo1->extraSelections().front().cursor.selectedText(), u"три"_s);
        QTest::keyClick(form.get(), Qt::Key_Space);
        QVERIFY(form->Memo1->extraSelections().isEmpty());
    }

    void readFromHereStartsOrMovesAPausedReading() {
        openBook();
        readFromHere(u"Третий"_s);
        QVERIFY(form->Timer1->enabled());
        tick(1);
        QCOMPARE(form->Label1->text() + form->Label2->text() + form->Label3->text(), u"Третий"_s);

        QTest::keyClick(form.get(), Qt::Key_Space);
        readFromHere(u"Второй"_s);
        QVERIFY(form->Timer1->enabled());
        QCOMPARE(wordAtPlace(), u"Второй"_s);
        QVERIFY(form->SpeedButton1->toolTip().contains(u"«Читать отсюда»"_s));
        // Qt's own items speak Russian too.
        QCOMPARE(firstMenuItem, u"Отменить действие"_s);
    }

    void theTitleNamesTheChapterAndTheBarTheTimeLeft() {
        readUpTo(u"Второй"_s);
        QCOMPARE(form->windowTitle(), u"Orvell — book.fb2 — Первая"_s);
        for (int i = 0; i < 20 && wordAtPlace() != u"абзац."_s; ++i) tick(1);
        tick(4);
        QCOMPARE(form->windowTitle(), u"Orvell — book.fb2 — Вторая"_s);

        QHelpEvent hover(QEvent::ToolTip, {5, 5}, form->ProgressBar1->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(form->ProgressBar1, &hover);
        QCOMPARE(form->ProgressBar1->toolTip(),
                 u"Осталось: глава — меньше минуты, книга — меньше минуты"_s);
    }
};

}  // namespace orvell

QTEST_MAIN(orvell::MovingTest)
#include "moving_test.moc"
