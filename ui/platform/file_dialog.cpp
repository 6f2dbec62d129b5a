#include "ui/platform/file_dialog.h"

#include <QFileDialog>
#include <QTimer>

namespace orvell::platform {

namespace {

FileDialogObserver& observer() {
    static FileDialogObserver instance;
    return instance;
}

// Runs the dialog and gives the file chosen, or an empty string.
QString ask(QFileDialog& dialog, const QString& nameFilter) {
    dialog.setNameFilter(nameFilter);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (observer()) {
        // Qt's own dialog: a platform one would not be handed to the observer.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QTimer::singleShot(0, &dialog, [&dialog] { observer()(dialog); });
    }
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.front();
}

}  // namespace

QString askFileToOpen(QWidget* parent, const QString& nameFilter) {
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return ask(dialog, nameFilter);
}

QString askFileToSave(QWidget* parent, const QString& nameFilter, const QString& suggested) {
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(suggested);
    return ask(dialog, nameFilter);
}

void setFileDialogObserver(FileDialogObserver o) { observer() = std::move(o); }

void answerFileDialog(QFileDialog& dialog, const QString& file) {
    if (file.isEmpty()) return dialog.reject();
    dialog.selectFile(file);
    // The dialog's own accept(), which checks the choice, is reached through its base.
    static_cast<QDialog&>(dialog).accept();
}

}  // namespace orvell::platform
