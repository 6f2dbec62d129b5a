// The window as a user sees and uses it: drawn pixels, real clicks and key presses.

#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>

#include "tests/ui/ui_test_support.h"
#include "ui/platform/speed_button.h"

using namespace Qt::StringLiterals;

namespace orvell {

namespace {

// The columns of `image` that hold a pixel dark enough to be text.
QList<int> inkedColumns(const QImage& image) {
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < 128) {
                columns.append(x);
                break;
            }
        }
    }
    return columns;
}

}  // namespace

class WindowAsSeenTest : public test::WindowTestCase {
    Q_OBJECT

    void showWindow() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

  private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    // Collapsed, the bar lies over the top of the text box; nothing of the box shows through.
    void statusBarHidesWhatLiesUnderIt() {
        showWindow();
        FIND_CONTROL(bar, QStatusBar, *form, "StatusBar1");
        FIND_CONTROL(memo, QPlainTextEdit, *form, "Memo1");
        QVERIFY(bar->geometry().intersects(memo->geometry()));
        const QImage overTheTextBox = form->grab(bar->geometry()).toImage();
        memo->hide();
        QCOMPARE(form->grab(bar->geometry()).toImage(), overTheTextBox);
    }

    // Panel 1 holds the web address from the left edge; panel 2, from 250 to 300, holds the
    // version flush right.
    void statusBarTextsStayInTheirPanels() {
        showWindow();
        FIND_CONTROL(collapse, platform::SpeedButton, *form, "SpeedButton6");
        FIND_CONTROL(bar, QStatusBar, *form, "StatusBar1");
        QTest::mouseClick(collapse, Qt::LeftButton);
        const QList<int> inked = inkedColumns(form->grab(bar->geometry()).toImage());
        QVERIFY(!inked.isEmpty());
        QList<int> page, version;
        for (int x : inked) (x < 250 ? page : version).append(x);
        QVERIFY(!page.isEmpty());
        QVERIFY(page.front() < 10);
        QVERIFY(!version.isEmpty());
        QVERIFY2(version.back() < 300 && version.back() >= 290,
                 qPrintable(u"the version ends at x = %1"_s.arg(version.back())));
    }

    // Each caption ends before the control to its right, as with the layout's own font.
    void captionsEndBeforeTheNextControl_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("next");
        QTest::newRow("Скорость") << u"Label9"_s << u"ComboBox1"_s;
        QTest::newRow("слов в минуту") << u"Label8"_s << u"SpeedButton4"_s;
        QTest::newRow("Время чтения") << u"Label4"_s << u"Label13"_s;
        QTest::newRow("Слов прочитано") << u"Label5"_s << u"Label14"_s;
        QTest::newRow("Скорость чтения") << u"Label10"_s << u"Label15"_s;
    }
    void captionsEndBeforeTheNextControl() {
        QFETCH(QString, caption);
        QFETCH(QString, next);
        auto* label = form->findChild<QLabel*>(caption);
        auto* right = form->findChild<QWidget*>(next);
        QVERIFY(label && right);
        const int end = label->x() + label->fontMetrics().horizontalAdvance(label->text());
        QVERIFY2(end <= right->x(),
                 qPrintable(u"%1 ends at %2, %3 starts at %4"_s.arg(
                     caption, QString::number(end), next, QString::number(right->x()))));
    }

    // Where the free Tahoma of the Windows-compatibility fonts is installed, it is the one used.
    void windowFontIsTahomaWhereItIsInstalled() {
        if (!QFile::exists(u"/usr/share/wine/fonts/tahoma.ttf"_s))
            QSKIP("no Tahoma on this machine");
        FIND_CONTROL(label, QLabel, *form, "Label9");
        QCOMPARE(QFontInfo(label->font()).family(), u"Tahoma"_s);
    }

    // A click on the greyed text box during a reading does nothing: after a pause the text has
    // no selection, and a key typed then adds to the text instead of replacing it.
    void disabledTextBoxTakesNoClicks() {
        showWindow();
        FIND_CONTROL(collapse, platform::SpeedButton, *form, "SpeedButton6");
        FIND_CONTROL(start, platform::SpeedButton, *form, "SpeedButton1");
        FIND_CONTROL(pause, platform::SpeedButton, *form, "SpeedButton2");
        FIND_CONTROL(memo, QPlainTextEdit, *form, "Memo1");
        QTest::mouseClick(collapse, Qt::LeftButton);
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(!memo->isEnabled());
        QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, {20, 20});
        QTest::mouseClick(pause, Qt::LeftButton);
        QVERIFY(memo->isEnabled());
        QVERIFY(!memo->textCursor().hasSelection());
        const qsizetype length = memo->toPlainText().size();
        QTest::keyClick(memo, Qt::Key_X);
        QCOMPARE(memo->toPlainText().size(), length + 1);
    }
};

}  // namespace orvell

QTEST_MAIN(orvell::WindowAsSeenTest)
#include "window_as_seen_test.moc"
