#include "ui/platform/choice_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

namespace orvell::platform {

namespace {

ChoiceDialogObserver& observer() {
    static ChoiceDialogObserver instance;
    return instance;
}

}  // namespace

std::optional<int> askToChoose(QWidget* parent, const QString& caption, const QString& question,
                               const QStringList& items) {
    QDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setWindowModality(Qt::ApplicationModal);
    auto* list = new QListWidget(&dialog);
    list->addItems(items);
    list->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* label = new QLabel(question, &dialog);
    label->setBuddy(list);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    if (observer()) {
        QTimer::singleShot(0, &dialog, [&dialog] { observer()(dialog); });
    }
    // Titles may repeat, so the pick is told by its row.
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0) return std::nullopt;
    return list->currentRow();
}

void setChoiceDialogObserver(ChoiceDialogObserver o) { observer() = std::move(o); }

void answerChoiceDialog(QDialog& dialog, int index) {
    auto* list = dialog.findChild<QListWidget*>();
    if (index < 0 || list == nullptr) return dialog.reject();
    list->setCurrentRow(index);
    dialog.accept();
}

}  // namespace orvell::platform
