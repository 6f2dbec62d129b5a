#include "engine/speed_table.h"

#include <algorithm>

#include "engine/rounding.h"

namespace orvell {

// The base intervals are hand-tuned, not derived from the speed.
const std::array<SpeedRow, kSpeedRows> SpeedTable = {{
    {u"150\t", 280},
    {u"200\t", 220},
    {u"250\t", 200},
    {u"300\t", 150},
    {u"350\t", 142},
    {u"400\t", 133},
    {u"450\t", 100},
    {u"500\t", 91},
    {u"550\t", 82},
    {u"600\t", 75},
    {u"650\t", 70},
    {u"700\t", 65},
    {u"750\t", 60},
    {u"800\t", 55},
    {u"850\t", 50},
    {u"900\t", 48},
    {u"950\t", 46},
    {u"1000\t", 44},
}};

namespace {

bool inTable(int index) { return index >= 0 && index < kSpeedRows; }

int clampedSpeed(int wordsPerMinute) { return std::clamp(wordsPerMinute, kSlowest, kFastest); }

// The value at a speed on the line between the rows around it.
template <typename ValueOfRow>
std::int32_t interpolated(int wordsPerMinute, const ValueOfRow& valueOf) {
    const int speed = clampedSpeed(wordsPerMinute);
    const int below = rowAtOrBelow(speed);
    const std::int64_t beyond = speed - speedOfRow(below);
    if (beyond == 0) return valueOf(below);
    const std::int64_t from = valueOf(below);
    const std::int64_t to = valueOf(below + 1);
    // Both values are positive, so the point on the line is too.
    return static_cast<std::int32_t>(
        roundHalfEven(from * kRowStep + (to - from) * beyond, kRowStep));
}

}  // namespace

std::int32_t baseIntervalFor(int index, std::int32_t current) {
    return inTable(index) ? SpeedTable[static_cast<std::size_t>(index)].j : current;
}

int speedStepUp(int index) { return index < kSpeedRows - 1 ? index + 1 : index; }

int speedStepDown(int index) { return index > 0 ? index - 1 : index; }

// Truncating before the multiplication keeps the distance a multiple of 5.
std::int32_t stepBackDistance(int index) { return (index + 1) * 200 / 60 * 5; }

int rowAtOrBelow(int wordsPerMinute) {
    return (clampedSpeed(wordsPerMinute) - kSlowest) / kRowStep;
}

int rowSpeedAbove(int wordsPerMinute) {
    return speedOfRow(speedStepUp(rowAtOrBelow(wordsPerMinute)));
}

int rowSpeedBelow(int wordsPerMinute) {
    const int below = rowAtOrBelow(wordsPerMinute);
    return speedOfRow(speedOfRow(below) < clampedSpeed(wordsPerMinute) ? below
                                                                       : speedStepDown(below));
}

std::int32_t baseIntervalAt(int wordsPerMinute) {
    return interpolated(wordsPerMinute, [](int row) { return baseIntervalFor(row, 0); });
}

std::int32_t stepBackDistanceAt(int wordsPerMinute) {
    return interpolated(wordsPerMinute, stepBackDistance);
}

}  // namespace orvell
