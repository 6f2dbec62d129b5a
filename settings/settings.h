#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/reading_rules.h"

namespace orvell {

// The look of the display strip and the text box.
enum class Theme { Light, Dark, Night };

struct LookSettings {
    Theme theme = Theme::Light;
    // The focus letter's colour as "#rrggbb"; empty: the theme's own.
    std::string focusColour;
    // The strip's font size in percent of the size the font buttons chose; one of kFontZooms.
    int fontZoom = 100;

    bool operator==(const LookSettings&) const = default;
};

// The steps of the strip's font size, smallest first; 100 is the size the font buttons chose.
inline constexpr std::array kFontZooms{60, 70, 80, 90, 100, 115, 130, 150, 175, 200};

// Everything the reader can set, kept between sittings in settings.ini. The defaults are the
// program's classic behaviour.
struct Settings {
    ReadingRules reading;
    LookSettings look;

    bool operator==(const Settings&) const = default;
};

// The range of a number the reader may set, as the settings file and the dialog accept it.
struct SettingRange {
    int least;
    int most;
};

// The ranges, in the units of the fields (hundredths for the factors, percent for the warm-up's
// start and the font zoom).
namespace ranges {
inline constexpr SettingRange kLengthThreshold{1, 40};
inline constexpr SettingRange kFactorPercent{10, 1000};
inline constexpr SettingRange kPauseEntries{0, 6};
inline constexpr SettingRange kFlashWords{1, 3};
inline constexpr SettingRange kFlashWidth{5, 40};
inline constexpr SettingRange kWarmUpFromPercent{10, 100};
inline constexpr SettingRange kWarmUpWords{1, 100};
}  // namespace ranges

}  // namespace orvell
