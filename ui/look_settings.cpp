// The reader's settings in the window: the display strip's menu, the settings dialog, the
// themes and the strip's font zoom. Each change is applied at once, a running reading's
// included.

#include <QAction>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <algorithm>
#include <iterator>
#include <memory>

#include "settings/settings_file.h"
#include "ui/Unit1.h"
#include "ui/platform/data_folder.h"
#include "ui/platform/mouse_events.h"
#include "ui/settings_dialog.h"
#include "ui/themes.h"

namespace orvell {

using namespace Qt::StringLiterals;

namespace {

const QString kStripHint = u"Правый щелчок — меню: книга, настройки чтения, история"_s;

// A command of the whole window, with its key shown wherever the action is put in a menu.
QAction* windowCommand(QWidget& window, const char* name, const QString& text,
                       const QList<QKeySequence>& keys) {
    auto* action = new QAction(text, &window);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    return action;
}

void setColour(QWidget& widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(role, colour);
    widget.setPalette(palette);
}

}  // namespace

void TForm1::connectSettings() {
    QAction* open =
        windowCommand(*this, "openBookCommand", u"Открыть книгу…"_s, {QKeySequence::Open});
    connect(open, &QAction::triggered, this, &TForm1::FileOpenCommand);
    QAction* settings = windowCommand(*this, "readingSettingsCommand", u"Настройки чтения…"_s,
                                      {QKeySequence(Qt::CTRL | Qt::Key_Comma)});
    connect(settings, &QAction::triggered, this, &TForm1::ReadingSettingsCommand);
    QAction* history = windowCommand(*this, "readingHistoryCommand", u"История чтения…"_s,
                                     {QKeySequence(Qt::CTRL | Qt::Key_H)});
    connect(history, &QAction::triggered, this, &TForm1::ReadingHistoryCommand);
    QAction* zoomIn = windowCommand(
        *this, "zoomInCommand", {},
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(zoomIn, &QAction::triggered, this, [this] { zoomStripFont(1); });
    QAction* zoomOut =
        windowCommand(*this, "zoomOutCommand", {}, {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    connect(zoomOut, &QAction::triggered, this, [this] { zoomStripFont(-1); });

    for (QWidget* part : std::initializer_list<QWidget*>{Panel4, Panel1, Panel2, Panel3, Label1,
                                                         Label2, Label3, Panel5, Panel6}) {
        part->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(part, &QWidget::customContextMenuRequested, this,
                [this, part](const QPoint& at) { showStripMenu(*part, at); });
        platform::onControlWheel(*part, [this](int steps) { zoomStripFont(steps); });
    }
    for (QWidget* panel : {Panel4, Panel1, Panel2, Panel3}) panel->setToolTip(kStripHint);
}

void TForm1::showStripMenu(QWidget& over, const QPoint& at) {
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(u"stripMenu"_s);
    for (const char* name : {"openBookCommand", "readingSettingsCommand", "readingHistoryCommand"})
        menu->addAction(findChild<QAction*>(QString::fromLatin1(name)));
    menu->exec(over.mapToGlobal(at));
}

void TForm1::ReadingSettingsCommand() {
    if (!settingsDialog_) {
        settingsDialog_ = new SettingsDialog(this);
        connect(settingsDialog_, &SettingsDialog::changed, this, &TForm1::applySettings);
    }
    settingsDialog_->setSettings(settings_);
    settingsDialog_->show();
    settingsDialog_->raise();
    settingsDialog_->activateWindow();
}

void TForm1::applySettings(const Settings& settings) {
    settings_ = settings;
    session_.setRules(settings_.reading);
    applyTheme();
    layoutStrip();
    settingsChanged();
}

void TForm1::applyTheme() {
    const ThemeColours colours = lookColours(settings_.look);
    for (QWidget* panel : {Panel4, Panel1, Panel2, Panel3})
        setColour(*panel, QPalette::Window, colours.strip);
    for (QWidget* label : {Label1, Label3}) setColour(*label, QPalette::WindowText, colours.text);
    setColour(*Label2, QPalette::WindowText, colours.focus);
    for (QWidget* mark : {Panel5, Panel6}) setColour(*mark, QPalette::Window, colours.marks);
    if (!colours.textBox) {
        Memo1->setPalette(QPalette());
        return;
    }
    QPalette palette = Memo1->palette();
    palette.setColor(QPalette::Base, colours.textBox->base);
    palette.setColor(QPalette::Text, colours.textBox->text);
    palette.setColor(QPalette::Disabled, QPalette::Base, colours.textBox->base);
    palette.setColor(QPalette::Disabled, QPalette::Text, colours.textBox->disabledText);
    Memo1->setPalette(palette);
}

void TForm1::zoomStripFont(int steps) {
    const auto at = std::ranges::find(kFontZooms, settings_.look.fontZoom);
    const auto index = std::clamp<std::ptrdiff_t>(std::distance(kFontZooms.begin(), at) + steps, 0,
                                                  std::ssize(kFontZooms) - 1);
    Settings zoomed = settings_;
    zoomed.look.fontZoom = kFontZooms.at(static_cast<std::size_t>(index));
    if (zoomed == settings_) return;
    applySettings(zoomed);
    if (settingsDialog_) settingsDialog_->setSettings(settings_);
}

void TForm1::loadSettings() {
    auto file = std::make_unique<SettingsFile>(platform::dataFolder());
    applySettings(file->settings());
    settingsFile_ = std::move(file);  // from now on each change is saved
}

void TForm1::settingsChanged() {
    if (settingsFile_) settingsFile_->save(settings_);
}

}  // namespace orvell
