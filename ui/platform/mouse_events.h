#pragma once

#include <functional>

class QWidget;

namespace orvell::platform {

// The handlers run only while the widget is enabled: a disabled control takes no clicks.
// A click: the left button released over the widget.
void onClick(QWidget& widget, std::function<void()> handler);
// Any mouse button pressed over the widget.
void onMouseDown(QWidget& widget, std::function<void()> handler);

}  // namespace orvell::platform
