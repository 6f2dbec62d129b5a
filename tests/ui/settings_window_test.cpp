// The reader's settings as a user reaches them: the display strip's menu, the settings dialog
// (Ctrl+,) changing a running reading, the themes and the strip's font zoom.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QWheelEvent>
#include <array>
#include <cstdlib>

#include "tests/ui/ui_test_support.h"
#include "ui/platform/file_dialog.h"
#include "ui/history_window.h"
#include "ui/settings_dialog.h"

using namespace Qt::StringLiterals;

namespace orvell {

namespace {

const QString kText = u"Один два три четыре пять шесть семь восемь девять десять."_s;

// A field of the dialog, the value a user puts in, and where the settings keep it.
struct FieldRow {
    const char* field;
    double value;
    void (*expect)(Settings&);
};

const std::array<FieldRow, 21> kFields = {{
    {"shortBelow", 3, [](Settings& s) { s.reading.pauses.shortBelow = 3; }},
    {"shortFactor", 0.55, [](Settings& s) { s.reading.pauses.shortPercent = 55; }},
    {"normalFactor", 1.1, [](Settings& s) { s.reading.pauses.normalPercent = 110; }},
    {"longAbove", 6, [](Settings& s) { s.reading.pauses.longAbove = 6; }},
    {"longFactor", 1.75, [](Settings& s) { s.reading.pauses.longPercent = 175; }},
    {"veryLongAbove", 9, [](Settings& s) { s.reading.pauses.veryLongAbove = 9; }},
    {"veryLongFactor", 2.5, [](Settings& s) { s.reading.pauses.veryLongPercent = 250; }},
    {"punctuationFactor", 3, [](Settings& s) { s.reading.pauses.punctuationPercent = 300; }},
    {"newRootFactor", 1.5, [](Settings& s) { s.reading.pauses.newRootPercent = 150; }},
    {"sentenceEndFactor", 1.25, [](Settings& s) { s.reading.pauses.sentenceEndPercent = 125; }},
    {"numberFactor", 1.4, [](Settings& s) { s.reading.pauses.numberPercent = 140; }},
    {"sentencePauses", 4, [](Settings& s) { s.reading.pauses.sentencePauses = 4; }},
    {"lineBreakPauses", 0, [](Settings& s) { s.reading.pauses.lineBreakPauses = 0; }},
    {"flashWords", 3, [](Settings& s) { s.reading.flash.words = 3; }},
    {"flashWidth", 20, [](Settings& s) { s.reading.flash.width = 20; }},
    {"wordsPerMinute", 1, [](Settings& s) { s.reading.speed.wordsPerMinute = true; }},
    {"warmUp", 1, [](Settings& s) { s.reading.speed.warmUp = true; }},
    {"warmUpFrom", 50, [](Settings& s) { s.reading.speed.warmUpFromPercent = 50; }},
    {"warmUpWords", 20, [](Settings& s) { s.reading.speed.warmUpWords = 20; }},
    {"theme", 2, [](Settings& s) { s.look.theme = Theme::Night; }},
    {"fontZoom", 7, [](Settings& s) { s.look.fontZoom = 150; }},
}};

// Puts `value` into a field as a user would leave it: a number, a tick or a list's item.
// The zoom `steps` places from 100 %.
int zoomAt(int steps) {
    const int index = 4 + steps;
    return kFontZooms.at(static_cast<std::size_t>(index));
}

void fill(QWidget& field, double value) {
    if (auto* spin = qobject_cast<QSpinBox*>(&field)) spin->setValue(static_cast<int>(value));
    if (auto* factor = qobject_cast<QDoubleSpinBox*>(&field)) factor->setValue(value);
    if (auto* check = qobject_cast<QCheckBox*>(&field)) check->setChecked(value != 0);
    if (auto* list = qobject_cast<QComboBox*>(&field))
        list->setCurrentIndex(static_cast<int>(value));
}

QColor colourOf(const QWidget* w, QPalette::ColorRole role) { return w->palette().color(role); }

// The horizontal centre of a control, in the window's coordinates.
double centreX(const QWidget* w, const QWidget* window) {
    return w->mapTo(window, QPoint()).x() + w->width() / 2.0;
}

}  // namespace

class SettingsWindowTest : public test::WindowTestCase {
    Q_OBJECT

    std::unique_ptr<test::MessageBoxRecorder> boxes;

    SettingsDialog* openSettings() {
        QTest::keyClick(form.get(), Qt::Key_Comma, Qt::ControlModifier);
        return form->findChild<SettingsDialog*>(u"settingsDialog"_s);
    }

    // Right-clicks `part` and answers its menu: records every item as "text|keys|enabled" and
    // triggers the one named `choose`, if any.
    QStringList stripMenu(QWidget* part, const QString& choose = {}) {
        QStringList items;
        QAction* chosen = nullptr;
        QTimer::singleShot(0, form.get(), [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) return;
            for (QAction* a : menu->actions()) {
                items << u"%1|%2|%3"_s
                             .arg(a->text(), a->shortcut().toString(QKeySequence::PortableText))
                             .arg(a->isEnabled());
                if (a->text() == choose) chosen = a;
            }
            menu->close();
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2),
                                part->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(part, &click);
        if (chosen) chosen->trigger();
        return items;
    }

    void wheel(QWidget* over, int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent turn(QPointF(2, 2), over->mapToGlobal(QPointF(2, 2)), QPoint(),
                         QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &turn);
    }

  private slots:
    void init() {
        boxes = std::make_unique<test::MessageBoxRecorder>();
        openWindow();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        test::setActiveWindow(form.get());
        test::activationOf(*form)->applicationStateChanged(Qt::ApplicationActive);
        platform::Timer::holdTicksForTesting(true);
    }
    void cleanup() {
        closeWindow();
        boxes.reset();
        platform::Timer::holdTicksForTesting(false);
    }

    void theStripsMenuOpensTheBookTheSettingsAndTheHistory_data() {
        QTest::addColumn<QString>("part");
        for (const char* part : {"Panel4", "Panel1", "Label1", "Label2", "Label3", "Panel6"})
            QTest::newRow(part) << QString::fromLatin1(part);
    }
    void theStripsMenuOpensTheBookTheSettingsAndTheHistory() {
        QFETCH(QString, part);
        auto* over = form->findChild<QWidget*>(part);
        QVERIFY(over != nullptr);
        start(kText);
        bool fileDialog = false;
        platform::setFileDialogObserver([&](QFileDialog& d) {
            fileDialog = true;
            platform::answerFileDialog(d, {});
        });
        const QStringList items = stripMenu(over, u"Открыть книгу…"_s);
        platform::setFileDialogObserver({});
        QCOMPARE(items, QStringList({u"Открыть книгу…|Ctrl+O|1"_s, u"Настройки чтения…|Ctrl+,|1"_s,
                                     u"История чтения…|Ctrl+H|1"_s}));
        QVERIFY(fileDialog);
        stripMenu(over, u"Настройки чтения…"_s);
        auto* dialog = form->findChild<SettingsDialog*>(u"settingsDialog"_s);
        QVERIFY(dialog != nullptr && dialog->isVisible());
        stripMenu(over, u"История чтения…"_s);
        auto* history = form->findChild<HistoryWindow*>();
        QVERIFY(history != nullptr && history->isVisible());
        QCOMPARE(history->windowTitle(), u"История чтения"_s);
        QVERIFY(form->Panel4->toolTip().contains(u"Правый щелчок — меню"_s));
    }

    // Ctrl+, opens the dialog over a running reading, which goes on; the reader's keys stay out
    // of its fields.
    void theDialogOpensOverARunningReadingAndKeepsItsKeys() {
        start(kText);
        SettingsDialog* dialog = openSettings();
        QVERIFY(dialog != nullptr);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), u"Настройки чтения"_s);
        QVERIFY(form->Timer1->enabled());
        test::setActiveWindow(dialog);
        const int speed = form->ComboBox1->currentIndex();
        auto* width = dialog->findChild<QSpinBox*>(u"flashWidth"_s);
        width->setFocus();
        width->selectAll();
        QTest::keyClick(width, Qt::Key_Space);
        QTest::keyClick(width, Qt::Key_Plus, Qt::KeypadModifier);
        QTest::keyClick(width, Qt::Key_2);
        QTest::keyClick(width, Qt::Key_0);
        QVERIFY(form->Timer1->enabled());
        QCOMPARE(form->ComboBox1->currentIndex(), speed);
        QCOMPARE(form->reading().rules().flash.width, 20);
    }

    // Each field reaches the running reading at once, and only its own setting.
    void eachFieldTakesEffectAtOnce_data() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < static_cast<int>(kFields.size()); ++i)
            QTest::newRow(kFields.at(static_cast<std::size_t>(i)).field) << i;
    }
    void eachFieldTakesEffectAtOnce() {
        QFETCH(int, row);
        const FieldRow& f = kFields.at(static_cast<std::size_t>(row));
        start(kText);
        SettingsDialog* dialog = openSettings();
        QVERIFY(dialog != nullptr);
        auto* field = dialog->findChild<QWidget*>(QString::fromLatin1(f.field));
        QVERIFY(field != nullptr);
        fill(*field, f.value);
        Settings expected;
        f.expect(expected);
        QVERIFY(form->settings() == expected);
        QVERIFY(form->reading().rules() == expected.reading);
        QVERIFY(form->Timer1->enabled());
        // Shown again as it was left.
        dialog->close();
        QVERIFY(openSettings()->settings() == expected);
    }

    // A running reading shows the next flash by the new rules; the next sitting starts with
    // them, from settings.ini.
    void aChangeReachesTheNextTickAndTheNextSitting() {
        start(kText);
        test::fire(form->Timer1);
        fill(*openSettings()->findChild<QWidget*>(u"flashWords"_s), 3);
        test::fire(form->Timer1);
        QCOMPARE(form->Label1->text() + form->Label2->text() + form->Label3->text(), u"два три"_s);
        form->saveBeforeExit();
        form = std::make_unique<TForm1>();
        QCOMPARE(form->settings().reading.flash.words, 3);
        QCOMPARE(form->reading().rules().flash.words, 3);
    }

    void defaultsPutEverySettingBack() {
        start(kText);
        QTest::keyClick(form.get(), Qt::Key_Plus, Qt::ControlModifier);
        SettingsDialog* dialog = openSettings();
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->findChild<QComboBox*>(u"fontZoom"_s)->currentText(), u"115 %"_s);
        for (const FieldRow& f : kFields)
            fill(*dialog->findChild<QWidget*>(QString::fromLatin1(f.field)), f.value);
        QVERIFY(form->settings() != Settings{});
        QTest::mouseClick(dialog->findChild<QPushButton*>(u"defaults"_s), Qt::LeftButton);
        QVERIFY(form->settings() == Settings{});
        QVERIFY(form->reading().rules() == ReadingRules{});
        QVERIFY(dialog->settings() == Settings{});
        QCOMPARE(colourOf(form->Label2, QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(form->Label2->font().pixelSize(), 29);
    }

    // The light theme is the window's look before any theme; the others are dark under light
    // text, with a red focus letter that stands out; a colour of the reader's own wins.
    void themesColourTheStripAndTheTextBox_data() {
        QTest::addColumn<int>("theme");
        QTest::addColumn<QString>("focusColour");
        QTest::newRow("light") << 0 << QString();
        QTest::newRow("dark") << 1 << QString();
        QTest::newRow("night") << 2 << QString();
        QTest::newRow("dark, own focus colour") << 1 << u"#00aa00"_s;
    }
    void themesColourTheStripAndTheTextBox() {
        QFETCH(int, theme);
        QFETCH(QString, focusColour);
        const QPalette lightBox = form->Memo1->palette();
        SettingsDialog* dialog = openSettings();
        QVERIFY(dialog != nullptr);
        // From another theme, so that the light one is put back rather than left.
        dialog->findChild<QComboBox*>(u"theme"_s)->setCurrentIndex(theme == 0 ? 2 : 0);
        dialog->findChild<QComboBox*>(u"theme"_s)->setCurrentIndex(theme);
        if (!focusColour.isEmpty()) {
            QTimer::singleShot(0, dialog, [&] {
                auto* chooser = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
                QVERIFY(chooser != nullptr);
                chooser->setCurrentColor(QColor::fromString(focusColour));
                chooser->accept();
            });
            QTest::mouseClick(dialog->findChild<QPushButton*>(u"focusColour"_s), Qt::LeftButton);
            QCOMPARE(form->settings().look.focusColour, focusColour.toStdString());
        }
        start(kText);  // the text box is disabled while the reading runs
        const QColor strip = colourOf(form->Panel4, QPalette::Window);
        const QColor text = colourOf(form->Label1, QPalette::WindowText);
        const QColor focus = colourOf(form->Label2, QPalette::WindowText);
        for (QWidget* panel : {form->Panel1, form->Panel2, form->Panel3})
            QCOMPARE(colourOf(panel, QPalette::Window), strip);
        QCOMPARE(colourOf(form->Label3, QPalette::WindowText), text);
        for (QWidget* mark : {form->Panel5, form->Panel6})
            QCOMPARE(colourOf(mark, QPalette::Window), text);
        const QPalette box = form->Memo1->palette();
        if (theme == 0) {
            QCOMPARE(strip, QColor(Qt::white));
            QCOMPARE(text, QColor(Qt::black));
            QCOMPARE(focus, QColor(Qt::red));
            QCOMPARE(box, lightBox);
            return;
        }
        QVERIFY(strip.lightness() < 80);
        QVERIFY(text.lightness() - strip.lightness() > 30);
        QVERIFY(box.color(QPalette::Base).lightness() < 80);
        QVERIFY(box.color(QPalette::Disabled, QPalette::Text).lightness() -
                    box.color(QPalette::Disabled, QPalette::Base).lightness() >
                20);
        if (!focusColour.isEmpty()) {
            QCOMPARE(focus, QColor::fromString(focusColour));
            QTest::mouseClick(dialog->findChild<QPushButton*>(u"themeFocusColour"_s),
                              Qt::LeftButton);
            QVERIFY(form->settings().look.focusColour.empty());
            QVERIFY(colourOf(form->Label2, QPalette::WindowText) != focus);
            return;
        }
        QVERIFY(focus != text);
        QVERIFY(focus.hue() <= 30 || focus.hue() >= 340);
        QVERIFY(focus.lightness() > text.lightness() || focus.saturation() > text.saturation());
    }

    // The keys and the wheel step through the sizes and stop at both ends; the speed keys of the
    // keypad keep their own meaning without Control.
    void zoomKeysStepThroughTheSizes_data() {
        QTest::addColumn<int>("key");  // 0: the wheel over the strip
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("times");
        QTest::addColumn<int>("zoom");
        const int ctrl = Qt::ControlModifier;
        const int keypad = Qt::KeypadModifier;
        QTest::newRow("Ctrl+plus") << int(Qt::Key_Plus) << ctrl << 1 << 115;
        QTest::newRow("Ctrl+=") << int(Qt::Key_Equal) << ctrl << 1 << 115;
        QTest::newRow("keypad Ctrl+plus") << int(Qt::Key_Plus) << (ctrl | keypad) << 1 << 115;
        QTest::newRow("Ctrl+minus") << int(Qt::Key_Minus) << ctrl << 1 << 90;
        QTest::newRow("keypad Ctrl+minus") << int(Qt::Key_Minus) << (ctrl | keypad) << 2 << 80;
        QTest::newRow("past the smallest") << int(Qt::Key_Minus) << ctrl << 9 << 60;
        QTest::newRow("past the largest") << int(Qt::Key_Plus) << ctrl << 9 << 200;
        QTest::newRow("wheel away") << 0 << ctrl << 2 << 130;
        QTest::newRow("wheel towards") << 0 << ctrl << -1 << 90;
        QTest::newRow("wheel without Control") << 0 << int(Qt::NoModifier) << 1 << 100;
    }
    void zoomKeysStepThroughTheSizes() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, times);
        QFETCH(int, zoom);
        start(kText);
        const int speed = form->ComboBox1->currentIndex();
        const auto mods = Qt::KeyboardModifiers::fromInt(static_cast<unsigned>(modifiers));
        for (int i = 0; i < std::abs(times); ++i) {
            if (key == 0)
                wheel(i % 2 == 0 ? form->Label2 : form->Panel4, times > 0 ? 120 : -120, mods);
            else
                QTest::keyClick(form.get(), static_cast<Qt::Key>(key), mods);
        }
        QCOMPARE(form->settings().look.fontZoom, zoom);
        QCOMPARE(form->ComboBox1->currentIndex(), speed);
        QVERIFY(form->Timer1->enabled());
    }

    // At every size of both fonts the focus letter stays on the marks' column, the left part
    // ends where it begins, the right part begins about where it ends, and the window and the
    // strip keep their size.
    void theFocusLetterStaysOnTheMarks_data() {
        QTest::addColumn<int>("fontClicks");  // 0: B big, 1: B small, 2: A big, 3: A small
        QTest::addColumn<int>("steps");       // from 100 in kFontZooms
        for (int clicks = 0; clicks < 4; ++clicks) {
            for (const int steps : {-4, -1, 0, 2, 5}) {
                QTest::addRow("font %c %s, zoom %d", clicks < 2 ? 'B' : 'A',
                              clicks % 2 == 0 ? "big" : "small", zoomAt(steps))
                    << clicks << steps;
            }
        }
    }
    void theFocusLetterStaysOnTheMarks() {
        QFETCH(int, fontClicks);
        QFETCH(int, steps);
        if (fontClicks == 1) QTest::mouseClick(form->SpeedButton5, Qt::LeftButton);
        for (int i = 1; i < fontClicks; ++i) QTest::mouseClick(form->SpeedButton4, Qt::LeftButton);
        form->Label2->setText(u"ш"_s);
        const int chosen = form->Label2->font().pixelSize();
        const QSize window = form->size();
        const QRect strip = form->Panel4->geometry();
        for (int i = 0; i < std::abs(steps); ++i)
            QTest::keyClick(form.get(), steps > 0 ? Qt::Key_Plus : Qt::Key_Minus,
                            Qt::ControlModifier);
        const int zoom = form->settings().look.fontZoom;
        QCOMPARE(zoom, zoomAt(steps));
        for (QLabel* label : {form->Label1, form->Label2, form->Label3})
            QCOMPARE(label->font().pixelSize(), (chosen * zoom + 50) / 100);
        for (QFrame* panel : {form->Panel1, form->Panel2, form->Panel3}) {
            panel->layout()->activate();
            QVERIFY(strip.contains(panel->geometry()));
        }
        const double marks = centreX(form->Panel5, form.get());
        QVERIFY2(std::abs(centreX(form->Label2, form.get()) - marks) <= 2.5,
                 qPrintable(QString::number(centreX(form->Label2, form.get()))));
        QCOMPARE(form->Panel1->geometry().right() + 1, form->Panel2->x());
        const int letterEnd = form->Label2->mapTo(form.get(), QPoint(form->Label2->width(), 0)).x();
        QVERIFY(std::abs(form->Panel3->x() - letterEnd) <= 2);
        QCOMPARE(form->size(), window);
        QCOMPARE(form->Panel4->geometry(), strip);
    }
};

}  // namespace orvell

QTEST_MAIN(orvell::SettingsWindowTest)
#include "settings_window_test.moc"
