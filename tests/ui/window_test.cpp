#ifdef _WIN32
#include <windows.h>
#endif

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScopeGuard>
#include <QStatusBar>
#include <array>
#include <cerrno>
#include <filesystem>
#include <memory>

#include "tests/ui/ui_test_support.h"
#include "ui/Unit1.h"
#include "ui/platform/progress_state.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"
#include "ui/welcome_text.h"

using namespace Qt::StringLiterals;

namespace orvell {

namespace {

// A library.txt that exists but cannot be read, for one scope, and the error a load then
// raises: on Linux a link to a file whose reading fails with an input/output error, on Windows
// a file this test holds open without sharing it.
class UnreadableLibrary {
  public:
#ifdef _WIN32
    UnreadableLibrary()
        : held_(CreateFileW(L"library.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~UnreadableLibrary() {
        CloseHandle(held_);
        QFile::remove(QStringLiteral("library.txt"));
    }
    static QString error() { return QStringLiteral("I/O error %1.").arg(ERROR_SHARING_VIOLATION); }

  private:
    HANDLE held_;
#else
    UnreadableLibrary() { std::filesystem::create_symlink("/proc/self/mem", "library.txt"); }
    ~UnreadableLibrary() { QFile::remove(QStringLiteral("library.txt")); }
    static QString error() { return QStringLiteral("I/O error %1.").arg(EIO); }
#endif

  public:
    UnreadableLibrary(const UnreadableLibrary&) = delete;
    UnreadableLibrary& operator=(const UnreadableLibrary&) = delete;
};

}  // namespace

class WindowTest : public test::WindowTestCase {
    Q_OBJECT

    // The display strip: the family and character height of the three labels and the top of
    // the three panels.
    void verifyStrip(const QString& family, int characterHeight, int top) {
        for (const char* name : {"Label1", "Label2", "Label3"}) {
            FIND_CONTROL(label, QLabel, *form, name);
            QCOMPARE(label->font().family(), family);
            QCOMPARE(label->font().pixelSize(), characterHeight);
        }
        for (const char* name : {"Panel1", "Panel2", "Panel3"}) {
            FIND_CONTROL(panel, QFrame, *form, name);
            QCOMPARE(panel->y(), top);
        }
    }

    static QWidget* nextTabStop(QWidget* from) {
        QWidget* w = from->nextInFocusChain();
        while (w != from && !(w->focusPolicy() & Qt::TabFocus)) w = w->nextInFocusChain();
        return w;
    }

  private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void controlGeometry_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        struct Row {
            const char* name = nullptr;
            QRect geometry;
        };
        const std::array<Row, 18> table = {{
            {"SpeedButton1", {24, 69, 129, 33}},
            {"SpeedButton2", {209, 69, 129, 33}},
            {"SpeedButton3", {24, 108, 314, 33}},
            {"SpeedButton4", {286, 147, 23, 22}},
            {"SpeedButton5", {315, 147, 23, 22}},
            {"SpeedButton6", {24, 147, 42, 22}},
            {"Panel4", {24, 11, 314, 49}},
            {"Panel1", {28, 20, 107, 31}},
            {"Panel2", {135, 20, 19, 31}},
            {"Panel3", {152, 20, 179, 31}},
            {"Memo1", {24, 184, 314, 237}},
            {"ComboBox1", {125, 148, 49, 21}},
            {"Panel5", {143, 48, 1, 10}},
            {"Panel6", {143, 11, 1, 9}},
            {"GroupBox1", {24, 427, 314, 78}},
            {"ProgressBar1", {24, 502, 314, 13}},
            {"CheckBox1", {175, 78, 20, 17}},
            {"StatusBar1", {0, 181, 363, 19}},
        }};
        for (const auto& row : table)
            QTest::newRow(row.name) << QString::fromLatin1(row.name) << row.geometry;
    }
    void controlGeometry() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        auto* control = form->findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(), geometry);
    }

    void startsCollapsedWithFontBBig() {
        QCOMPARE(form->size(), QSize(363, 200));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QCOMPARE(form->windowTitle(), u"Orvell"_s);
        FIND_CONTROL(collapse, platform::SpeedButton, *form, "SpeedButton6");
        QCOMPARE(collapse->text(), u"- -"_s);
        verifyStrip(u"Lucida Console"_s, 29, 20);
        FIND_CONTROL(fontA, platform::SpeedButton, *form, "SpeedButton4");
        FIND_CONTROL(fontB, platform::SpeedButton, *form, "SpeedButton5");
        QCOMPARE(fontA->fontHeight(), 16);
        QCOMPARE(fontB->fontHeight(), 10);
        QVERIFY(!form->windowIcon().isNull());
        QVERIFY(form->windowIcon().availableSizes().contains(QSize(57, 57)));
    }

    void stripShowsTheContactAddressSplitFiveOneNine() {
        FIND_CONTROL(left, QLabel, *form, "Label1");
        FIND_CONTROL(focus, QLabel, *form, "Label2");
        FIND_CONTROL(right, QLabel, *form, "Label3");
        QCOMPARE(left->text().size(), 5);
        QCOMPARE(focus->text().size(), 1);
        QCOMPARE(right->text().size(), 9);
        QCOMPARE(left->text() + focus->text() + right->text(), kContactAddress);
        QVERIFY(kContactAddress.contains(u'@'));
        QCOMPARE(focus->palette().color(QPalette::WindowText), QColor(Qt::red));
    }

    void welcomeTextIsElevenLinesWithCrLf() {
        FIND_CONTROL(memo, QPlainTextEdit, *form, "Memo1");
        const QString text = memo->toPlainText().replace(u"\n"_s, u"\r\n"_s);
        QCOMPARE(text, welcomeText());
        const QStringList lines = text.split(u"\r\n"_s);
        QCOMPARE(lines.size(), 11);
        for (int i = 1; i < 11; i += 2) QVERIFY2(lines[i].isEmpty(), qPrintable(lines[i]));
        QCOMPARE(lines[0], u"Добро пожаловать в программу по скорочтению Orvell."_s);
        QCOMPARE(lines[10], u"Удачи!"_s);
        QVERIFY(lines[4].contains(u"слово — будь"_s));
        QVERIFY(lines[4].contains(u"“точкой распознавания слова”"_s));
        QVERIFY(lines[6].contains(u"прочитанного?  Как"_s));
        QVERIFY(lines[8].contains(u"word'e"_s));
        QVERIFY(lines[8].endsWith(u"переносов)"_s));
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    void controlsStartIdle() {
        FIND_CONTROL(start, platform::SpeedButton, *form, "SpeedButton1");
        FIND_CONTROL(pause, platform::SpeedButton, *form, "SpeedButton2");
        FIND_CONTROL(learning, QCheckBox, *form, "CheckBox1");
        FIND_CONTROL(speed, QComboBox, *form, "ComboBox1");
        FIND_CONTROL(bar, QProgressBar, *form, "ProgressBar1");
        QVERIFY(start->isEnabled());
        QVERIFY(!pause->isEnabled());
        QCOMPARE(pause->text(), u"Пауза [пробел]"_s);
        QVERIFY(learning->isChecked());
        QCOMPARE(speed->count(), 18);
        QCOMPARE(speed->currentIndex(), 3);
        QCOMPARE(speed->itemText(0), u"150\t"_s);
        QCOMPARE(speed->itemText(17), u"1000\t"_s);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 100);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(platform::barState(*bar), platform::pbsNormal);
        for (const char* name : {"Label13", "Label14", "Label15"}) {
            FIND_CONTROL(figure, QLabel, *form, name);
            QCOMPARE(figure->text(), u"-"_s);
        }
    }

    void timersStartOffWithTheirIntervals_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("interval");
        QTest::newRow("pacing") << u"Timer1"_s << 1000u;
        QTest::newRow("statistics") << u"Timer2"_s << 500u;
        QTest::newRow("autosave") << u"Timer3"_s << 30000u;
    }
    void timersStartOffWithTheirIntervals() {
        QFETCH(QString, name);
        QFETCH(uint, interval);
        auto* timer = form->findChild<platform::Timer*>(name);
        QVERIFY(timer != nullptr);
        QVERIFY(!timer->enabled());
        QCOMPARE(timer->interval(), interval);
    }

    // The four of the form, the start button's, which tells of "Читать отсюда", and the
    // display strip's four panels, which tell of its menu.
    void onlyFiveHintsShowAndTheButtonsTakeNoFocus() {
        int shown = 0;
        for (QWidget* w : form->findChildren<QWidget*>())
            if (!w->toolTip().isEmpty()) ++shown;
        QCOMPARE(shown, 9);
        FIND_CONTROL(pause, platform::SpeedButton, *form, "SpeedButton2");
        QCOMPARE(pause->toolTip(), u"\"Пробел\" чтобы остановить\\продолжить."_s);
        FIND_CONTROL(bar, QProgressBar, *form, "ProgressBar1");
        QCOMPARE(bar->property("hint").toString(), u"Клик для смены цвета"_s);
        for (auto* b : form->findChildren<platform::SpeedButton*>())
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
        FIND_CONTROL(memo, QPlainTextEdit, *form, "Memo1");
        FIND_CONTROL(speed, QComboBox, *form, "ComboBox1");
        FIND_CONTROL(learning, QCheckBox, *form, "CheckBox1");
        QCOMPARE(nextTabStop(memo), speed);
        QCOMPARE(nextTabStop(speed), learning);
        QCOMPARE(nextTabStop(learning), memo);
    }

    void fontAToggleBigSmallBig() {
        QTest::mouseClick(form->SpeedButton4, Qt::LeftButton);
        verifyStrip(u"Courier New"_s, 29, 18);
        QTest::mouseClick(form->SpeedButton4, Qt::LeftButton);
        verifyStrip(u"Courier New"_s, 21, 23);
        FIND_CONTROL(panel, QFrame, *form, "Panel2");
        QCOMPARE(panel->geometry(), QRect(137, 23, 19, 21));
        QTest::mouseClick(form->SpeedButton4, Qt::LeftButton);
        verifyStrip(u"Courier New"_s, 29, 18);
    }

    void firstUserClickOnFontBGivesSmall() {
        QTest::mouseClick(form->SpeedButton5, Qt::LeftButton);
        verifyStrip(u"Lucida Console"_s, 21, 23);
        FIND_CONTROL(fontB, platform::SpeedButton, *form, "SpeedButton5");
        QCOMPARE(fontB->fontHeight(), 16);
    }

    void eachFontButtonTogglesItsOwnState() {
        QTest::mouseClick(form->SpeedButton4, Qt::LeftButton);
        QTest::mouseClick(form->SpeedButton5, Qt::LeftButton);
        verifyStrip(u"Lucida Console"_s, 21, 23);
        FIND_CONTROL(fontA, platform::SpeedButton, *form, "SpeedButton4");
        QCOMPARE(fontA->fontHeight(), 10);
    }

    // The focus letter stands in the column of the two marks in every font and size.
    void focusLetterSitsUnderTheMarks() {
        FIND_CONTROL(focus, QLabel, *form, "Label2");
        FIND_CONTROL(left, QLabel, *form, "Label1");
        FIND_CONTROL(panel1, QFrame, *form, "Panel1");
        left->setText(u"Добро пожаловать"_s);
        focus->setText(u"ш"_s);
        const auto check = [&] {
            form->findChild<QFrame*>(u"Panel2"_s)->layout()->activate();
            panel1->layout()->activate();
            const QRect r(focus->mapTo(form.get(), QPoint()), focus->size());
            QVERIFY2(qAbs(r.center().x() - 143) <= 2, qPrintable(QString::number(r.center().x())));
            QCOMPARE(left->geometry().right(), panel1->width() - 1);
        };
        for (int click = 0; click < 4; ++click) {
            check();
            if (click % 2 == 0)
                QTest::mouseClick(form->SpeedButton4, Qt::LeftButton);
            else
                QTest::mouseClick(form->SpeedButton5, Qt::LeftButton);
        }
    }

    void collapseAndExpandKeepTheTopLeft() {
        FIND_CONTROL(collapse, platform::SpeedButton, *form, "SpeedButton6");
        FIND_CONTROL(status, QStatusBar, *form, "StatusBar1");
        const QPoint topLeft = form->pos();
        QTest::mouseClick(form->SpeedButton6, Qt::LeftButton);
        QCOMPARE(form->size(), QSize(363, 555));
        QCOMPARE(collapse->text(), u"^^"_s);
        QCOMPARE(form->pos(), topLeft);
        form->show();
        QCOMPARE(status->geometry(), QRect(0, 536, 363, 19));
        QTest::mouseClick(form->SpeedButton6, Qt::LeftButton);
        QCOMPARE(form->height(), 200);
        QCOMPARE(collapse->text(), u"- -"_s);
        QCOMPARE(status->geometry(), QRect(0, 181, 363, 19));
    }

    void anyOtherCaptionExpands() {
        FIND_CONTROL(collapse, platform::SpeedButton, *form, "SpeedButton6");
        collapse->setText(u"^"_s);
        QTest::mouseClick(form->SpeedButton6, Qt::LeftButton);
        QCOMPARE(form->height(), 555);
    }

    void statusBarShowsThePageAndVersion() {
        FIND_CONTROL(page, QLabel, *form, "StatusBar1Panel1");
        FIND_CONTROL(version, QLabel, *form, "StatusBar1Panel2");
        QCOMPARE(page->text(), kWebPage);
        QVERIFY(QUrl(kWebPage).host().endsWith(u"example.org"_s));
        QCOMPARE(version->text(), u"v.1.6"_s);
        QCOMPARE(page->width(), 250);
    }

    void destructionSavesTheVocabulary() {
        form->Memo1->setPlainText(u"слово"_s);
        QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
        test::fire(form->Timer1);
        form.reset();
        QFile file(u"library.txt"_s);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.size() > 2);
        QVERIFY(file.readAll().endsWith("\r\n"));
    }

    void failedSaveShowsTheErrorAndGoesOn() {
        test::MessageBoxRecorder boxes;
        // Should a check fail, the window still goes while its boxes are answered.
        const auto closeFirst = qScopeGuard([this] { form.reset(); });
        QVERIFY(QDir().mkdir(u"library.txt"_s));
        form->Timer3->setEnabled(true);
        test::fire(form->Timer3);
        // The save fails on the vocabulary's thread; its box comes once, on this one.
        QTRY_COMPARE(boxes.boxes.size(), 1u);
        const auto& box = boxes.boxes.front();
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.caption, u"Orvell"_s);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.text, u"File access denied."_s);
        QVERIFY(form->Timer3->enabled());
        form.reset();  // the save at exit fails the same way
        QCOMPARE(boxes.boxes.size(), 2u);
    }

    void failedLoadShowsTheErrorAndTheWindowComesUp() {
        test::MessageBoxRecorder boxes;
        const auto closeFirst = qScopeGuard([this] { form.reset(); });
        form.reset();
        QFile::remove(u"library.txt"_s);
        {
            const UnreadableLibrary unreadable;
            form = std::make_unique<TForm1>();
            QTRY_COMPARE(boxes.boxes.size(), 1u);
            QCOMPARE(boxes.boxes.front().icon, QMessageBox::Critical);
            QCOMPARE(boxes.boxes.front().text, UnreadableLibrary::error());
            QCOMPARE(form->height(), 200);
        }
        QVERIFY(!QFile::exists(u"library.txt"_s));
        form.reset();
    }
};

}  // namespace orvell

QTEST_MAIN(orvell::WindowTest)
#include "window_test.moc"
