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

void show(QWidget* parent, QMessageBox::Icon icon, const QString& text,
          ReaderKeys keys = ReaderKeys::stayOut) {
    QMessageBox box(icon, QStringLiteral("Orvell"), text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    if (keys == ReaderKeys::act) HotKeys::shareWith(box);
    if (observer()) {
        QTimer::singleShot(0, &box, [&box] { observer()(box); });
    }
    box.exec();
}

}  // namespace

void showMessage(QWidget* parent, const QString& text) {
    show(parent, QMessageBox::NoIcon, text, ReaderKeys::act);
}

void showError(QWidget* parent, const QString& text) { show(parent, QMessageBox::Critical, text); }

void showWarning(QWidget* parent, const QString& text) { show(parent, QMessageBox::Warning, text); }

void setMessageBoxObserver(MessageBoxObserver o) { observer() = std::move(o); }

}  // namespace orvell::platform
