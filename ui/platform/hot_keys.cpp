#include "ui/platform/hot_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace orvell::platform {

namespace {

// The bare arrow and page keys, from either block of the keyboard.
int moveKeyOf(int key) {
    switch (key) {
        case Qt::Key_PageUp:
            return HotKeys::kPageUp;
        case Qt::Key_PageDown:
            return HotKeys::kPageDown;
        case Qt::Key_Left:
            return HotKeys::kLeft;
        case Qt::Key_Up:
            return HotKeys::kUp;
        case Qt::Key_Right:
            return HotKeys::kRight;
        case Qt::Key_Down:
            return HotKeys::kDown;
        default:
            return 0;
    }
}

// The identifier of a hot key for a key event, or 0. Space is the bare space bar; plus and
// minus count only from the numeric keypad.
int hotKeyOf(const QKeyEvent& e) {
    const auto mods = e.modifiers();
    if (e.key() == Qt::Key_Space && mods == Qt::NoModifier) return HotKeys::kSpace;
    if (mods == Qt::NoModifier) return moveKeyOf(e.key());
    const bool shifted = mods == (Qt::KeypadModifier | Qt::ShiftModifier);
    if (mods != Qt::KeypadModifier && !shifted) return 0;
    const int shift = shifted ? HotKeys::kShifted : 0;
    if (e.key() == Qt::Key_Plus) return shift | HotKeys::kKeypadPlus;
    if (e.key() == Qt::Key_Minus) return shift | HotKeys::kKeypadMinus;
    return shifted ? 0 : moveKeyOf(e.key());
}

bool isKnown(int id) {
    return id == HotKeys::kSpace || id == HotKeys::kKeypadPlus || id == HotKeys::kKeypadMinus ||
           (id >= HotKeys::kPageUp && id <= HotKeys::kPageDown) ||
           (id >= HotKeys::kLeft && id <= HotKeys::kDown);
}

const char* const kSharesKeys = "orvellSharesHotKeys";

// The window a key event is typed into. Qt hands it first to the native window, then to the
// focused widget; a popup (a menu, a list's drop-down) is part of the window it opened from.
const QWidget* windowOf(QObject* target) {
    const QWidget* window = nullptr;
    if (const auto* widget = qobject_cast<const QWidget*>(target)) {
        window = widget->window();
    } else if (const auto* native = qobject_cast<const QWindow*>(target)) {
        for (const QWidget* top : QApplication::topLevelWidgets())
            if (top->windowHandle() == native) window = top;
    }
    while (window != nullptr && window->windowType() == Qt::Popup && window->parentWidget())
        window = window->parentWidget()->window();
    return window;
}

}  // namespace

HotKeys::HotKeys(std::function<void(int)> handler, QWidget& window)
    : QObject(&window), handler_(std::move(handler)), window_(window) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool HotKeys::registerHotKey(int id) {
    if (!isKnown(id)) return false;
    return registered_.insert(id).second;
}

void HotKeys::unregisterHotKey(int id) { registered_.erase(id); }

void HotKeys::shareWith(QWidget& box) { box.setProperty(kSharesKeys, true); }

bool HotKeys::actInActiveWindow() const { return actIn(QApplication::activeWindow()); }

bool HotKeys::actIn(const QWidget* window) const {
    return window != nullptr && (window == &window_ || window->property(kSharesKeys).toBool());
}

bool HotKeys::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const int id = hotKeyOf(*key);
    if (!isRegistered(id & ~kShifted) || !actIn(windowOf(watched)))
        return QObject::eventFilter(watched, event);
    // Accepting the override keeps shortcuts from taking the key before its press arrives.
    if (type == QEvent::ShortcutOverride) key->accept();
    if (type == QEvent::KeyPress) handler_(id);
    return true;
}

}  // namespace orvell::platform
