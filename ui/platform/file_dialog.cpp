#include "ui/platform/file_dialog.h"

#include <QFileDialog>
#include <QTimer>

namespace orvell::platform {

namespace {

FileDialogObserver& observer() {
    static FileDialogObserver instance;
    return instance;
}

}  // namespace

QString askFileToOpen(QWidget* parent, const QString& nameFilter) {
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
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

void setFileDialogObserver(FileDialogObserver o) { observer() = std::move(o); }

void answerFileDialog(QFileDialog& dialog, const QString& file) {
    if (file.isEmpty()) return dialog.reject();
    dialog.selectFile(file);
    // The dialog's own accept(), which checks the choice, is reached through its base.
    static_cast<QDialog&>(dialog).accept();
}

}  // namespace orvell::platform
