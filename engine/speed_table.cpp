#include "engine/speed_table.h"

namespace orvell {

// The base intervals are hand-tuned, not derived from the speed.
const std::array<SpeedRow, kSpeedRows> SpeedTable = {{
    {u"150\t", 150, 280, 15},
    {u"200\t", 200, 220, 30},
    {u"250\t", 250, 200, 50},
    {u"300\t", 300, 150, 65},
    {u"350\t", 350, 142, 80},
    {u"400\t", 400, 133, 100},
    {u"450\t", 450, 100, 115},
    {u"500\t", 500, 91, 130},
    {u"550\t", 550, 82, 150},
    {u"600\t", 600, 75, 165},
    {u"650\t", 650, 70, 180},
    {u"700\t", 700, 65, 200},
    {u"750\t", 750, 60, 215},
    {u"800\t", 800, 55, 230},
    {u"850\t", 850, 50, 250},
    {u"900\t", 900, 48, 265},
    {u"950\t", 950, 46, 280},
    {u"1000\t", 1000, 44, 300},
}};

namespace {

bool inTable(int index) { return index >= 0 && index < kSpeedRows; }

}  // namespace

std::int32_t baseIntervalFor(int index, std::int32_t current) {
    return inTable(index) ? SpeedTable[static_cast<std::size_t>(index)].j : current;
}

int speedStepUp(int index) { return index < kSpeedRows - 1 ? index + 1 : index; }

int speedStepDown(int index) { return index > 0 ? index - 1 : index; }

// Truncating before the multiplication keeps the distance a multiple of 5.
std::int32_t stepBackDistance(int index) { return (index + 1) * 200 / 60 * 5; }

std::int32_t stepBack(std::int32_t sh, int index) {
    const std::int32_t moved = sh - stepBackDistance(index);
    return moved < 1 ? 0 : moved;
}

}  // namespace orvell
