#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace orvell::platform {

// A modal dialog asking to pick one of `items`, listed in their order with the first one
// chosen, under `question`; returns the index picked, or nothing when the dialog was
// cancelled. Timers go on meanwhile.
std::optional<int> askToChoose(QWidget* parent, const QString& caption, const QString& question,
                               const QStringList& items);

// For tests: while set, each dialog is handed to the observer as soon as it is open, from
// inside its own event loop; the observer answers it, with answerChoiceDialog() say.
using ChoiceDialogObserver = std::function<void(QDialog&)>;
void setChoiceDialogObserver(ChoiceDialogObserver observer);
// Picks the item at `index` and closes the dialog as its OK button does; -1 cancels it.
void answerChoiceDialog(QDialog& dialog, int index);

}  // namespace orvell::platform
