#pragma once

#include <QString>
#include <functional>

class QMessageBox;
class QWidget;

namespace orvell::platform {

// Modal message boxes with one OK button and the program's title as caption; they return when
// closed, and timers go on meanwhile. A message is read while the reading goes on under it, so
// the reader's hot keys act in its box too.
void showMessage(QWidget* parent, const QString& text);
// The same with the stop icon, for failures; the reader's hot keys stay out of this box and the
// next, where space presses the button.
void showError(QWidget* parent, const QString& text);
// The same with the warning icon, for what went partly wrong.
void showWarning(QWidget* parent, const QString& text);
// Asks before something that cannot be undone: the question icon, Yes and No, with No the
// default. True when the user answered Yes.
bool askToConfirm(QWidget* parent, const QString& text);

// For tests: while set, each box is handed to the observer as soon as it is open, from inside
// its own event loop; the observer closes it (accept()) when it has seen enough.
using MessageBoxObserver = std::function<void(QMessageBox&)>;
void setMessageBoxObserver(MessageBoxObserver observer);

}  // namespace orvell::platform
