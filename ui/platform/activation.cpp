#include "ui/platform/activation.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace orvell::platform {

Activation::Activation(QWidget& window) : QObject(&window), window_(window) {
    window_.installEventFilter(this);
}

void Activation::connectApplication(std::function<void()> activate,
                                    std::function<void()> deactivate) {
    activate_ = std::move(activate);
    deactivate_ = std::move(deactivate);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &Activation::applicationStateChanged, Qt::UniqueConnection);
}

void Activation::onWindowDeactivate(std::function<void()> deactivate) {
    windowDeactivate_ = std::move(deactivate);
}

void Activation::applicationStateChanged(Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive && activate_) activate_();
    if (state == Qt::ApplicationInactive && deactivate_) deactivate_();
}

bool Activation::eventFilter(QObject* watched, QEvent* event) {
    // Qt makes the new window active before the old one hears of its deactivation, so another
    // window of ours being active here means the program itself stays active.
    if (watched == &window_ && event->type() == QEvent::WindowDeactivate && windowDeactivate_) {
        const QWidget* active = QApplication::activeWindow();
        if (active != nullptr && active != &window_) windowDeactivate_();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace orvell::platform
