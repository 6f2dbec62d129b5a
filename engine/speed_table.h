#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orvell {

struct SpeedRow {
    std::u16string_view item;  // the drop-down list's text, ending in a tab
    std::int32_t j;            // base interval, ms
};

inline constexpr int kSpeedRows = 18;
inline constexpr int kDefaultSpeedIndex = 3;
extern const std::array<SpeedRow, kSpeedRows> SpeedTable;

// The base interval for a list index; any index outside the table keeps `current`.
std::int32_t baseIntervalFor(int index, std::int32_t current);

// One speed step up or down, staying within the table.
int speedStepUp(int index);
int speedStepDown(int index);

// The step-back distance in entries for a list index ((index + 1) * 200 / 60 * 5, truncating).
std::int32_t stepBackDistance(int index);

}  // namespace orvell
