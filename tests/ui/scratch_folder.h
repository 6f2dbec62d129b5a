#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace orvell::test {

// The window loads and saves library.txt in the current folder: each test, and each benchmark
// run, works in a fresh one of its own, and the folder before comes back afterwards.
class ScratchFolder {
  public:
    ScratchFolder() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~ScratchFolder() { QDir::setCurrent(previous_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    QString file(const QString& name) const { return dir_.filePath(name); }

  private:
    QString previous_;
    QTemporaryDir dir_;
};

}  // namespace orvell::test
