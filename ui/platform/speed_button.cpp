#include "ui/platform/speed_button.h"

namespace orvell::platform {

SpeedButton::SpeedButton(const QString& name, const QString& caption, QWidget* parent)
    : QToolButton(parent) {
    setObjectName(name);
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void SpeedButton::setFontHeight(int pixels) {
    QFont f = font();
    f.setPixelSize(pixels);
    setFont(f);
}

}  // namespace orvell::platform
