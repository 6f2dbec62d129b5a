#pragma once

#include <QColor>
#include <optional>

#include "settings/settings.h"

namespace orvell {

// The colours of one theme. The text box's are left out for the light theme, which keeps the
// system's own palette there.
struct ThemeColours {
    QColor strip;  // the strip's frame and its three panels
    QColor text;   // the word's left and right parts
    QColor focus;  // the focus letter
    QColor marks;  // the two focus marks
    struct TextBox {
        QColor base;
        QColor text;
        // While a reading runs the box is disabled; its text must stay readable.
        QColor disabledText;
    };
    std::optional<TextBox> textBox;
};

const ThemeColours& themeColours(Theme theme);

// The theme's colours with the reader's focus colour ("#rrggbb") over the theme's own; an
// empty or unreadable one leaves the theme's.
ThemeColours lookColours(const LookSettings& look);

}  // namespace orvell
