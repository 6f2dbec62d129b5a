#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace orvell::platform {

// The handlers run only while the widget is enabled: a disabled control takes no clicks.
// A click: the left button released over the widget.
void onClick(QWidget& widget, std::function<void()> handler);
// Any mouse button pressed over the widget.
void onMouseDown(QWidget& widget, std::function<void()> handler);
// The widget's tooltip, made by `text` each time the mouse rests over it to show it.
void onToolTip(QWidget& widget, std::function<QString()> text);
// The wheel turned over the widget with Control held: `handler` gets +1 a notch away from the
// reader, -1 towards; the wheel then scrolls nothing.
void onControlWheel(QWidget& widget, std::function<void(int)> handler);

}  // namespace orvell::platform
