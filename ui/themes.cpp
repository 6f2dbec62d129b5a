#include "ui/themes.h"

#include <QString>
#include <array>
#include <cstddef>

namespace orvell {

namespace {

// In the order of Theme's values. The light theme is the window's look from before themes.
const std::array<ThemeColours, 3> kThemes = {{
    {Qt::white, Qt::black, Qt::red, Qt::black, std::nullopt},
    {QColor(0x3a, 0x3a, 0x3a), QColor(0xd8, 0xd8, 0xd8), QColor(0xff, 0x6e, 0x5e),
     QColor(0xd8, 0xd8, 0xd8),
     ThemeColours::TextBox{QColor(0x2b, 0x2b, 0x2b), QColor(0xd8, 0xd8, 0xd8),
                           QColor(0xa0, 0xa0, 0xa0)}},
    // Red on black keeps the eyes used to the dark; the focus letter is orange-red and
    // brighter, so that it still stands out.
    {Qt::black, QColor(0xb4, 0x1e, 0x1e), QColor(0xff, 0x5a, 0x1e), QColor(0xb4, 0x1e, 0x1e),
     ThemeColours::TextBox{Qt::black, QColor(0xb4, 0x1e, 0x1e), QColor(0x8c, 0x1e, 0x1e)}},
}};

}  // namespace

const ThemeColours& themeColours(Theme theme) {
    return kThemes.at(static_cast<std::size_t>(theme));
}

ThemeColours lookColours(const LookSettings& look) {
    ThemeColours colours = themeColours(look.theme);
    const QColor own = QColor::fromString(QString::fromStdString(look.focusColour));
    if (own.isValid()) colours.focus = own;
    return colours;
}

}  // namespace orvell
