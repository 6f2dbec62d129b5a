#include "ui/platform/message_box.h"

#include <QMessageBox>
#include <QTimer>

#include "ui/platform/hot_keys.h"

namespace orvell::platform {

namespace {

MessageBoxObserver& observer() {
    static MessageBoxObserver instance;
    return instance;
}

enum class ReaderKeys { stayOut, act };

int show(QWidget* parent, QMessageBox::Icon icon, const QString& text,
         QMessageBox::StandardButtons buttons = QMessageBox::Ok,
         ReaderKeys keys = ReaderKeys::stayOut) {
    QMessageBox box(icon, QStringLiteral("Orvell"), text, buttons, parent);
    box.setWindowModality(Qt::ApplicationModal);
    if (buttons.testFlag(QMessageBox::No)) box.setDefaultButton(QMessageBox::No);
    if (keys == ReaderKeys::act) HotKeys::shareWith(box);
    if (observer()) {
        QTimer::singleShot(0, &box, [&box] { observer()(box); });
    }
    return box.exec();
}

}  // namespace

void showMessage(QWidget* parent, const QString& text) {
    show(parent, QMessageBox::NoIcon, text, QMessageBox::Ok, ReaderKeys::act);
}

void showError(QWidget* parent, const QString& text) { show(parent, QMessageBox::Critical, text); }

void showWarning(QWidget* parent, const QString& text) { show(parent, QMessageBox::Warning, text); }

bool askToConfirm(QWidget* parent, const QString& text) {
    return show(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void setMessageBoxObserver(MessageBoxObserver o) { observer() = std::move(o); }

}  // namespace orvell::platform
