#include "ui/platform/message_box.h"

#include <QMessageBox>
#include <QTimer>

namespace orvell::platform {

namespace {

MessageBoxObserver& observer() {
    static MessageBoxObserver instance;
    return instance;
}

void show(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, QStringLiteral("Orvell"), text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    if (observer()) {
        QTimer::singleShot(0, &box, [&box] { observer()(box); });
    }
    box.exec();
}

}  // namespace

void showMessage(QWidget* parent, const QString& text) { show(parent, QMessageBox::NoIcon, text); }

void showError(QWidget* parent, const QString& text) { show(parent, QMessageBox::Critical, text); }

void showWarning(QWidget* parent, const QString& text) { show(parent, QMessageBox::Warning, text); }

void setMessageBoxObserver(MessageBoxObserver o) { observer() = std::move(o); }

}  // namespace orvell::platform
