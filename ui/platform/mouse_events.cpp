#include "ui/platform/mouse_events.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <cstdlib>

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

class ToolTipFilter : public QObject {
  public:
    ToolTipFilter(QWidget& widget, std::function<QString()> text)
        : QObject(&widget), text_(std::move(text)) {
        widget.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Set just before the widget shows it, so that it is never stale and costs nothing
        // while nobody looks.
        if (event->type() == QEvent::ToolTip) static_cast<QWidget*>(watched)->setToolTip(text_());
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<QString()> text_;
};

class ControlWheelFilter : public QObject {
  public:
    ControlWheelFilter(QWidget& widget, std::function<void(int)> handler)
        : QObject(&widget), handler_(std::move(handler)) {
        widget.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel) return QObject::eventFilter(watched, event);
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (!(wheel->modifiers() & Qt::ControlModifier))
            return QObject::eventFilter(watched, event);
        // A fine-grained wheel sends parts of a notch; a notch is 120 of them.
        notch_ += wheel->angleDelta().y();
        const int notches = notch_ / QWheelEvent::DefaultDeltasPerStep;
        notch_ -= notches * QWheelEvent::DefaultDeltasPerStep;
        for (int i = 0; i < std::abs(notches); ++i) handler_(notches > 0 ? 1 : -1);
        return true;
    }

  private:
    std::function<void(int)> handler_;
    int notch_ = 0;
};

}  // namespace

void onClick(QWidget& widget, std::function<void()> handler) {
    new MouseFilter(widget, QEvent::MouseButtonRelease, std::move(handler));
}

void onMouseDown(QWidget& widget, std::function<void()> handler) {
    new MouseFilter(widget, QEvent::MouseButtonPress, std::move(handler));
}

}  // namespace orvell::platform

namespace orvell::platform {

void onToolTip(QWidget& widget, std::function<QString()> text) {
    new ToolTipFilter(widget, std::move(text));
}

void onControlWheel(QWidget& widget, std::function<void(int)> handler) {
    new ControlWheelFilter(widget, std::move(handler));
}

}  // namespace orvell::platform
