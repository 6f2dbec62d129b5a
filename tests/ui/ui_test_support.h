#pragma once

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "history/reading_history.h"
#include "places/places_file.h"
#include "settings/settings_file.h"
#include "tests/ui/scratch_folder.h"
#include "ui/Unit1.h"
#include "ui/platform/activation.h"
#include "ui/platform/data_folder.h"
#include "ui/platform/hot_keys.h"
#include "ui/platform/message_box.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

namespace orvell::test {

// Makes `window` (or none) the application's active window at once. Offscreen there is no
// window manager, and activateWindow() only asks one; the setter deprecated since Qt 6.5 is the
// one call that sets the active window directly, so its warning is allowed here alone.
inline void setActiveWindow(QWidget* window) {
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(window);
    QT_WARNING_POP
}

// The file of the window's reading places.
inline QString placesLocation() {
    return QString::fromStdU16String((platform::dataFolder() / PlacesFile::kFileName).u16string());
}

// Sends the window's reading places, settings and history to a test folder (~/.qttest), never
// the user's own, and starts with none there, so that a run does not depend on the one before.
inline void useFreshDataFolder() {
    QStandardPaths::setTestModeEnabled(true);
    const std::filesystem::path folder = platform::dataFolder();
    const std::string history = ReadingHistory::kFileName;
    for (const std::string& name : {std::string(PlacesFile::kFileName),
                                    std::string(SettingsFile::kFileName), history,
                                    history + "-wal", history + "-shm"}) {
        QFile::remove(QString::fromStdU16String((folder / name).u16string()));
    }
}

// Answers every message box at once with OK and remembers what it showed.
class MessageBoxRecorder {
  public:
    struct Box {
        QMessageBox::Icon icon;
        QString caption;
        QString text;
        QMessageBox::StandardButtons buttons;
    };

    MessageBoxRecorder() {
        platform::setMessageBoxObserver([this](QMessageBox& box) {
            boxes.push_back({box.icon(), box.windowTitle(), box.text(), box.standardButtons()});
            box.accept();
        });
    }
    ~MessageBoxRecorder() { platform::setMessageBoxObserver({}); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<Box> boxes;
};

// One tick of a window timer, at once: a test that counts ticks does not wait for them.
inline void fire(platform::Timer* timer) { emit timer->tick(); }

// The window's hot keys and activation events, found by their object names.
inline platform::HotKeys* hotKeysOf(const TForm1& form) {
    return form.findChild<platform::HotKeys*>(QStringLiteral("hotKeys"));
}
inline platform::Activation* activationOf(const TForm1& form) {
    return form.findChild<platform::Activation*>(QStringLiteral("activation"));
}

// A test class whose every test gets a fresh window in a scratch folder of its own.
class WindowTestCase : public QObject {
  protected:
    WindowTestCase() { useFreshDataFolder(); }

    void openWindow() {
        useFreshDataFolder();  // also the settings an earlier test changed
        folder = std::make_unique<ScratchFolder>();
        form = std::make_unique<TForm1>();
    }
    // Destroying the window saves the vocabulary into the scratch folder, before it goes.
    void closeWindow() {
        form.reset();
        folder.reset();
    }
    // Puts text into the text box and clicks the start button.
    void start(const QString& text) {
        form->Memo1->setPlainText(text);
        QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
    }
    // Closes the window, which saves the vocabulary, and gives the lines of its file.
    QList<QByteArray> vocabularyAfterClosing() {
        form.reset();
        QFile file(folder->file(QStringLiteral("library.txt")));
        if (!file.open(QIODevice::ReadOnly)) return {};
        QList<QByteArray> lines = file.readAll().split('\n');
        if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
        return lines;
    }

    std::unique_ptr<ScratchFolder> folder;
    std::unique_ptr<TForm1> form;
};

}  // namespace orvell::test

// Finds a control of the window by its object name; the test fails when there is none.
// A macro, as QVERIFY2 must return from the test itself; var and Type name a declaration and
// a type, which cannot be parenthesised.
// NOLINTBEGIN(cppcoreguidelines-macro-usage,bugprone-macro-parentheses)
#define FIND_CONTROL(var, Type, form, name)                         \
    auto* var = (form).findChild<Type*>(QString::fromLatin1(name)); \
    QVERIFY2(var != nullptr, name)
// NOLINTEND(cppcoreguidelines-macro-usage,bugprone-macro-parentheses)
