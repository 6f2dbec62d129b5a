#include "ui/platform/mouse_events.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace orvell::platform {

namespace {

class MouseFilter : public QObject {
  public:
    MouseFilter(QWidget& widget, QEvent::Type type, std::function<void()> handler)
        : QObject(&widget), type_(type), handler_(std::move(handler)) {
        widget.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == type_ && accepts(*static_cast<QMouseEvent*>(event), watched))
            handler_();
        return QObject::eventFilter(watched, event);
    }

  private:
    bool accepts(const QMouseEvent& e, QObject* watched) const {
        // An event filter also sees the mouse events of a disabled widget.
        const auto* w = static_cast<QWidget*>(watched);
        if (!w->isEnabled()) return false;
        if (type_ != QEvent::MouseButtonRelease) return true;
        return e.button() == Qt::LeftButton && w->rect().contains(e.position().toPoint());
    }

    QEvent::Type type_;
    std::function<void()> handler_;
};

}  // namespace

void onClick(QWidget& widget, std::function<void()> handler) {
    new MouseFilter(widget, QEvent::MouseButtonRelease, std::move(handler));
}

void onMouseDown(QWidget& widget, std::function<void()> handler) {
    new MouseFilter(widget, QEvent::MouseButtonPress, std::move(handler));
}

}  // namespace orvell::platform
