// Opening a book file in the window, the ways a user does: Ctrl+O and the file dialog, a drop on
// the window or on the text box, and `orvell FILE` on the command line; and a book resumed
// where it was left.

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QUrl>
#include <array>
#include <functional>
#include <memory>

#include "tests/books/zip_builder.h"
#include "tests/ui/ui_test_support.h"
#include "ui/pause_captions.h"
#include "ui/platform/choice_dialog.h"
#include "ui/platform/file_dialog.h"
#include "ui/qt_translations.h"

using namespace Qt::StringLiterals;

namespace orvell {

namespace {

const QString kFb2 =
    u"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    u"<FictionBook xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\">\n"
    u"<description><title-info><book-title>Повесть</book-title></title-info></description>\n"
    u"<body><title><p>Глава первая</p></title><p>Жил-был <emphasis>кот</emphasis>.</p></body>\n"
    u"</FictionBook>\n"_s;
const QString kFb2Text = u"Повесть\nГлава первая\nЖил-был кот.\n"_s;
const QString kReadFromHereHint = u"Правой кнопкой по слову текста — «Читать отсюда»"_s;

// Drags the file over `target` and drops it there, as a file manager does.
void dropFile(QWidget* target, const QString& file) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
}

}  // namespace

class BookOpeningTest : public test::WindowTestCase {
    Q_OBJECT

    std::unique_ptr<test::MessageBoxRecorder> boxes;
    QStringList dialogFilters;
    bool pacingWhileDialogOpen = false;

    QString writeFile(const QString& name, const QByteArray& bytes) {
        QString path = folder->file(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
        return path;
    }

    // Ctrl+O, with the dialog answered by choosing `file`, or cancelled when it is empty.
    void openThroughDialog(const QString& file) {
        platform::setFileDialogObserver([this, file](QFileDialog& dialog) {
            dialogFilters = dialog.nameFilters();
            pacingWhileDialogOpen = form->Timer1->enabled();
            platform::answerFileDialog(dialog, file);
        });
        QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
        platform::setFileDialogObserver({});
    }

    void showActive() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        test::setActiveWindow(form.get());
        test::activationOf(*form)->applicationStateChanged(Qt::ApplicationActive);
    }

    QString shown() const {
        return form->Label1->text() + form->Label2->text() + form->Label3->text();
    }

    bool hotKeysTaken() const {
        return test::hotKeysOf(*form)->isRegistered(platform::HotKeys::kSpace);
    }

  private slots:
    // As the program does at its start.
    void initTestCase() { translateQtIntoRussian(); }
    void init() {
        boxes = std::make_unique<test::MessageBoxRecorder>();
        openWindow();
        showActive();
        // Only the ticks a test fires count.
        platform::Timer::holdTicksForTesting(true);
    }
    void cleanup() {
        closeWindow();
        boxes.reset();
        platform::Timer::holdTicksForTesting(false);
    }

    // Each way in fills the text box as an edit does: the start is ready and the keys free.
    void eachWayInReplacesTheTextAsAnEditDoes_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("Ctrl+O and the dialog") << 0;
        QTest::newRow("drop on the window") << 1;
        QTest::newRow("drop on the text box") << 2;
        QTest::newRow("the program's call") << 3;
    }
    void eachWayInReplacesTheTextAsAnEditDoes() {
        QFETCH(int, way);
        const QString book = writeFile(u"Повесть.fb2"_s, kFb2.toUtf8());
        start(u"старый текст"_s);
        test::fire(form->Timer1);
        QTest::mouseClick(form->SpeedButton2, Qt::LeftButton);  // paused: Memo1 takes drops
        QVERIFY(hotKeysTaken());
        const auto ways = std::to_array<std::function<void()>>({
            [&] { openThroughDialog(book); },
            [&] { dropFile(form.get(), book); },
            [&] { dropFile(form->Memo1->viewport(), book); },
            [&] { form->openFile(book); },
        });
        ways.at(static_cast<std::size_t>(way))();
        QCOMPARE(form->Memo1->toPlainText(), kFb2Text);
        QCOMPARE(form->windowTitle(), u"Orvell — Повесть.fb2"_s);
        QVERIFY(form->SpeedButton1->isEnabled());
        QVERIFY(!form->SpeedButton2->isEnabled());
        QVERIFY(!hotKeysTaken());
        QVERIFY(boxes->boxes.empty());
        if (way == 0)
            QCOMPARE(dialogFilters,
                     QStringList{u"Книги и тексты (*.txt *.fb2 *.fb2.zip *.epub)"_s});
    }

    // A running reading is paused as the dialog opens, then the text is replaced; a new start
    // reads the book.
    void aRunningReadingIsPausedFirst() {
        const QString book = writeFile(u"book.txt"_s, u"Первое второе"_s.toUtf8());
        start(u"раз два три четыре"_s);
        test::fire(form->Timer1);
        QVERIFY(form->Timer1->enabled());
        openThroughDialog(book);
        QVERIFY(!pacingWhileDialogOpen);
        QVERIFY(!form->Timer1->enabled());
        QCOMPARE(form->SpeedButton2->text(), kResumeCaption);
        QVERIFY(form->Memo1->isEnabled());
        QVERIFY(form->SpeedButton1->isEnabled());
        QVERIFY(form->Timer2->enabled());  // as after a pause and an edit
        QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
        QCOMPARE(form->reading().k1(), 2);
        const DisplayEntry first = form->reading().sarr().at(0).value_or(DisplayEntry{});
        QCOMPARE(first.left + first.focus, u"Пе"_s.toStdU16String());
    }

    // A file that cannot be opened gets an error box naming it; the text and title stay.
    void aBadFileKeepsTheTextAndNamesTheFile_data() {
        QTest::addColumn<QString>("name");
        // Empty: the file is not there, as the command line may say; the dialog offers only
        // files that are.
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("missing") << u"нет.txt"_s << QByteArray();
        QTest::newRow("binary as text") << u"data.txt"_s << QByteArray(4096, '\x01');
        QTest::newRow("broken zip") << u"book.epub"_s << QByteArray("PK\x03\x04garbage");
        QTest::newRow("truncated FB2") << u"cut.fb2"_s << kFb2.toUtf8().left(150);
    }
    void aBadFileKeepsTheTextAndNamesTheFile() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        form->Memo1->setPlainText(u"мой текст"_s);
        if (bytes.isEmpty())
            form->openFile(folder->file(name));
        else
            openThroughDialog(writeFile(name, bytes));
        QCOMPARE(form->Memo1->toPlainText(), u"мой текст"_s);
        QCOMPARE(form->windowTitle(), u"Orvell"_s);
        QCOMPARE(boxes->boxes.size(), std::size_t{1});
        QCOMPARE(boxes->boxes[0].icon, QMessageBox::Critical);
        QVERIFY2(boxes->boxes[0].text.contains(name), qPrintable(boxes->boxes[0].text));
    }

    // A book with broken markup opens with what could be read; a warning box, once the text
    // is there, names the line where it broke.
    void aDamagedBookOpensAndSaysWhereItBroke() {
        QString broken = kFb2;
        broken.replace(u"</emphasis>"_s, u"</emphasis1>"_s);
        const QString book = writeFile(u"Повесть.fb2"_s, broken.toUtf8());
        QString textWhenTold;
        boxes.reset();
        platform::setMessageBoxObserver([&](QMessageBox& box) {
            textWhenTold = form->Memo1->toPlainText();
            QCOMPARE(box.icon(), QMessageBox::Warning);
            QVERIFY2(box.text().startsWith(u"Книга «Повесть.fb2» открыта, но прочитана не вся:"_s),
                     qPrintable(box.text()));
            QVERIFY2(box.text().contains(u"разметка XML повреждена (строка 4)"_s),
                     qPrintable(box.text()));
            box.accept();
        });
        form->openFile(book);
        platform::setMessageBoxObserver({});
        QCOMPARE(textWhenTold, kFb2Text);
        QCOMPARE(form->windowTitle(), u"Orvell — Повесть.fb2"_s);
    }

    // The reader's keys typed into the program's dialogs reach the dialog: the file name field
    // takes them as text and cursor moves, space presses a box's button. The paused reading
    // behind keeps its entry and speed, and gets its keys back once the dialog is closed, unless
    // a book replaced the text as an edit does.
    void theReadersKeysStayOutOfItsDialogs_data() {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<QStringList>("received");
        QTest::addColumn<bool>("keysBack");
        QTest::newRow("file dialog") << 0 << QStringList{u"a b"_s, u"a +b"_s} << true;
        QTest::newRow("error box of a book") << 1 << QStringList{u"open"_s, u"closed"_s} << true;
        QTest::newRow("damaged-book box") << 2 << QStringList{u"open"_s, u"closed"_s} << false;
    }
    void theReadersKeysStayOutOfItsDialogs() {
        QFETCH(int, dialog);
        QFETCH(QStringList, received);
        QFETCH(bool, keysBack);
        QString broken = kFb2;
        broken.replace(u"</emphasis>"_s, u"</emphasis1>"_s);
        const QString damaged = writeFile(u"Повесть.fb2"_s, broken.toUtf8());
        start(u"Раз два. Три четыре. Пять шесть. Семь восемь."_s);
        for (int i = 0; i < 5; ++i) test::fire(form->Timer1);
        QTest::keyClick(form.get(), Qt::Key_Space);
        QVERIFY(!form->Timer1->enabled());
        const std::int32_t entry = form->reading().sh();
        const int speed = form->ComboBox1->currentIndex();

        QStringList seen;
        const auto typeMoveKeys = [](QWidget* control) {
            QTest::keyClick(control, Qt::Key_Left);
            QTest::keyClick(control, Qt::Key_Plus, Qt::KeypadModifier);
        };
        platform::setFileDialogObserver([&](QFileDialog& d) {
            test::setActiveWindow(&d);
            auto* name = d.findChild<QLineEdit*>(u"fileNameEdit"_s);
            if (name != nullptr) {
                QTest::keyClicks(name, u"a"_s);
                QTest::keyClick(name, Qt::Key_Space);
                QTest::keyClicks(name, u"b"_s);
                seen << name->text();
                typeMoveKeys(name);
                seen << name->text();
            }
            d.reject();
        });
        boxes.reset();
        platform::setMessageBoxObserver([&](QMessageBox& box) {
            test::setActiveWindow(&box);
            QWidget* button = box.button(QMessageBox::Ok);
            typeMoveKeys(button);
            seen << (box.isVisible() ? u"open"_s : u"closed"_s);
            QTest::keyClick(button, Qt::Key_Space);
            seen << (box.isVisible() ? u"open"_s : u"closed"_s);
            box.accept();
        });
        if (dialog == 0) QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
        if (dialog == 1) form->openFile(folder->file(u"нет.txt"_s));
        if (dialog == 2) form->openFile(damaged);
        platform::setFileDialogObserver({});
        platform::setMessageBoxObserver({});
        test::setActiveWindow(form.get());

        QCOMPARE(seen, received);
        QVERIFY(!form->Timer1->enabled());
        QCOMPARE(form->reading().sh(), entry);
        QCOMPARE(form->ComboBox1->currentIndex(), speed);
        QTest::keyClick(form.get(), Qt::Key_Space);
        QCOMPARE(form->Timer1->enabled(), keysBack);
    }

    // Read up to entry 100, close; a new window resumes the book a step back before, counts
    // the speed of this sitting and the place in the whole book; Ctrl+R, typed with a Russian
    // layout, starts it over.
    void aBookResumesWhereItWasLeftInANewWindow() {
        test::useFreshDataFolder();  // a place from an earlier test would move the start
        QString words;
        for (int i = 0; i < 300; ++i) words += u"w%1 "_s.arg(i);
        const QString book = writeFile(u"book.txt"_s, words.toUtf8());
        form->openFile(book);
        QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
        QCOMPARE(form->reading().k1(), 300);
        for (int i = 0; i < 100; ++i) test::fire(form->Timer1);
        QTest::mouseClick(form->SpeedButton2, Qt::LeftButton);

        form.reset();
        form = std::make_unique<TForm1>();
        showActive();
        form->openFile(book);
        QCOMPARE(form->SpeedButton1->toolTip(),
                 u"Продолжить с места, где остановились (100 из 299). Ctrl+R — с начала\n"_s +
                     kReadFromHereHint);
        QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
        test::fire(form->Timer1);
        QCOMPARE(shown(), u"w35"_s);  // 100 - 65 at 300 words a minute
        test::fire(form->Timer2);
        QCOMPARE(form->Label14->text(), u"36 / 299"_s);
        QCOMPARE(form->Label15->text(), u"120"_s);

        QTest::mouseClick(form->SpeedButton2, Qt::LeftButton);
        form->openFile(book);
        QTest::sendKeyEvent(QTest::Click, form->Memo1, Qt::Key_R, u"к"_s, Qt::ControlModifier);
        QCOMPARE(form->SpeedButton1->toolTip(), kReadFromHereHint);
        QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
        test::fire(form->Timer1);
        QCOMPARE(shown(), u"w0"_s);
        QCOMPARE(form->Memo1->toPlainText(), words);  // the key typed nothing
    }

    void aCancelledDialogChangesNothing() {
        form->Memo1->setPlainText(u"мой текст"_s);
        openThroughDialog({});
        QCOMPARE(dialogFilters.size(), 1);
        QCOMPARE(form->Memo1->toPlainText(), u"мой текст"_s);
        QCOMPARE(form->windowTitle(), u"Orvell"_s);
        QVERIFY(boxes->boxes.empty());
    }

    // From a ZIP of several FB2 books the reader picks one by its title, listed in the
    // archive's order; it opens as any book does. Cancelled, the book before stays.
    void aBookIsPickedFromAnArchiveOfSeveral_data() {
        QTest::addColumn<int>("pick");
        QTest::newRow("the second") << 1;
        QTest::newRow("cancelled") << -1;
    }
    void aBookIsPickedFromAnArchiveOfSeveral() {
        QFETCH(int, pick);
        QString tale = kFb2;
        tale.replace(u"Повесть"_s, u"Сказка"_s).replace(u"кот"_s, u"пёс"_s);
        const std::string archive = test::zipOf(
            {{"1.fb2", tale.toStdString()}, {"2.fb2", kFb2.toStdString()}, {"3.txt", "текст"}});
        const QString file = writeFile(u"Сборник.fb2.zip"_s, QByteArray::fromStdString(archive));
        form->openFile(writeFile(u"мой.txt"_s, u"мой текст"_s.toUtf8()));
        const QString textBefore = form->Memo1->toPlainText();
        const QString titleBefore = form->windowTitle();

        QStringList asked;
        platform::setChoiceDialogObserver([&](QDialog& dialog) {
            auto* label = dialog.findChild<QLabel*>();
            auto* list = dialog.findChild<QListWidget*>();
            asked << dialog.windowTitle() << (label != nullptr ? label->text() : QString());
            for (int i = 0; list != nullptr && i < list->count(); ++i) {
                asked << list->item(i)->text();
            }
            for (QAbstractButton* button : dialog.findChild<QDialogButtonBox*>()->buttons()) {
                asked << button->text();
            }
            platform::answerChoiceDialog(dialog, pick);
        });
        form->openFile(file);
        platform::setChoiceDialogObserver({});

        QCOMPARE(asked, (QStringList{u"Выбор книги"_s, u"В архиве несколько книг. Какую открыть?"_s,
                                     u"Сказка"_s, u"Повесть"_s, u"OK"_s, u"Отмена"_s}));
        QVERIFY(boxes->boxes.empty());
        QCOMPARE(form->Memo1->toPlainText(), pick < 0 ? textBefore : kFb2Text);
        QCOMPARE(form->windowTitle(), pick < 0 ? titleBefore : u"Orvell — Сборник.fb2.zip"_s);
    }

    // Anything but one file on the command line: a message on standard error, exit code 2 and
    // no window, so the program ends by itself.
    void badArgumentsEndTheProgramWithCode2_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("two files") << QStringList{u"a.txt"_s, u"b.txt"_s} << u"только один"_s;
        QTest::newRow("an option") << QStringList{u"--help"_s} << u"«--help»"_s;
    }
    void badArgumentsEndTheProgramWithCode2() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QProcess program;
        program.start(QStringLiteral(ORVELL_PROGRAM), arguments);
        QVERIFY(program.waitForFinished(30'000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 2);
        const QString error = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY2(error.contains(u"orvell [ФАЙЛ]"_s), qPrintable(error));
    }
};

}  // namespace orvell

QTEST_MAIN(orvell::BookOpeningTest)
#include "book_opening_test.moc"
