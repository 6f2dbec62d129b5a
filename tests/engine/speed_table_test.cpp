#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/speed_table.h"

namespace orvell {
namespace {

TEST(SpeedTable, ItemsNameTheSpeedFollowedByATab) {
    for (int i = 0; i < kSpeedRows; ++i) {
        std::u16string expected;
        for (char c : std::to_string(150 + 50 * i)) expected += static_cast<char16_t>(c);
        EXPECT_EQ(SpeedTable[static_cast<std::size_t>(i)].item, expected + u"\t");
    }
}

TEST(SpeedTable, BaseIntervalsAreTheTunedValues) {
    EXPECT_EQ(baseIntervalFor(0, 0), 280);
    EXPECT_EQ(baseIntervalFor(kDefaultSpeedIndex, 0), 150);
    EXPECT_EQ(baseIntervalFor(4, 0), 142);
    EXPECT_EQ(baseIntervalFor(7, 0), 91);
    EXPECT_EQ(baseIntervalFor(15, 0), 48);
    EXPECT_EQ(baseIntervalFor(17, 0), 44);
    EXPECT_EQ(baseIntervalFor(-1, 77), 77);
    EXPECT_EQ(baseIntervalFor(kSpeedRows, 77), 77);
}

TEST(SpeedSteps, StayWithinTheTable) {
    EXPECT_EQ(speedStepUp(3), 4);
    EXPECT_EQ(speedStepUp(16), 17);
    EXPECT_EQ(speedStepUp(17), 17);
    EXPECT_EQ(speedStepDown(3), 2);
    EXPECT_EQ(speedStepDown(1), 0);
    EXPECT_EQ(speedStepDown(0), 0);
}

// Truncating before the multiplication: index 0 gives 15, not 1000 / 60 = 16.
TEST(StepBack, DistancesOfEveryRow) {
    constexpr std::array<std::int32_t, kSpeedRows> kDistances = {
        15, 30, 50, 65, 80, 100, 115, 130, 150, 165, 180, 200, 215, 230, 250, 265, 280, 300};
    for (int i = 0; i < kSpeedRows; ++i)
        EXPECT_EQ(stepBackDistance(i), kDistances.at(static_cast<std::size_t>(i))) << i;
}

}  // namespace
}  // namespace orvell
