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

// Speeds in words per minute: the table's rows are 50 apart, and finer steps are 10.
inline constexpr int kSlowest = 150;
inline constexpr int kFastest = 1000;
inline constexpr int kRowStep = 50;
inline constexpr int kFineStep = 10;
constexpr int speedOfRow(int index) { return kSlowest + kRowStep * index; }
// The row at or below a speed, within the table.
int rowAtOrBelow(int wordsPerMinute);
// The speed of the next row up or down from a speed that may lie between rows.
int rowSpeedAbove(int wordsPerMinute);
int rowSpeedBelow(int wordsPerMinute);

// At a speed between two rows the base interval and the step-back distance lie on the straight
// line between theirs, rounded to whole milliseconds and entries; at a row they are its own.
// The speed is clamped to the table's.
std::int32_t baseIntervalAt(int wordsPerMinute);
std::int32_t stepBackDistanceAt(int wordsPerMinute);

}  // namespace orvell
