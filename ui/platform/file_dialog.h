#pragma once

#include <QString>
#include <functional>

class QFileDialog;
class QWidget;

namespace orvell::platform {

// A modal dialog asking for one existing file, with the given name filter; returns the file
// chosen, or an empty string when the dialog was cancelled. Timers go on meanwhile.
QString askFileToOpen(QWidget* parent, const QString& nameFilter);
// The same for a file to write, offering `suggested` (a name, or a path) first; an existing
// file is written over only once the user agrees.
QString askFileToSave(QWidget* parent, const QString& nameFilter, const QString& suggested);

// For tests: while set, each dialog is handed to the observer as soon as it is open, from
// inside its own event loop; the observer answers it, with answerFileDialog() say.
using FileDialogObserver = std::function<void(QFileDialog&)>;
void setFileDialogObserver(FileDialogObserver observer);
// Chooses `file` and closes the dialog as its Open button does; an empty name cancels it.
void answerFileDialog(QFileDialog& dialog, const QString& file);

}  // namespace orvell::platform
