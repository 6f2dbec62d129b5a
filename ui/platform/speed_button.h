#pragma once

#include <QToolButton>

namespace orvell::platform {

// A flat button that never takes the keyboard focus.
class SpeedButton : public QToolButton {
    Q_OBJECT

  public:
    SpeedButton(const QString& name, const QString& caption, QWidget* parent);

    // The height of the button's font, in pixels; the font buttons keep their state in it.
    int fontHeight() const { return font().pixelSize(); }
    void setFontHeight(int pixels);
};

}  // namespace orvell::platform
