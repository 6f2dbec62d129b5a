#pragma once

#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "platform/message_box.h"

namespace orvell::test {

// The window loads and saves library.txt in the current folder: each test runs in its own.
class ScratchFolder {
  public:
    ScratchFolder() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~ScratchFolder() { QDir::setCurrent(previous_); }
    QString file(const QString& name) const { return dir_.filePath(name); }

  private:
    QString previous_;
    QTemporaryDir dir_;
};

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

    std::vector<Box> boxes;
};

}  // namespace orvell::test

// Finds a control of the window by its object name; the test fails when there is none.
#define FIND_CONTROL(var, Type, form, name)                         \
    auto* var = (form).findChild<Type*>(QString::fromLatin1(name)); \
    QVERIFY2(var != nullptr, name)
