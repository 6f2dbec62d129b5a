#include <gtest/gtest.h>

#include <string>

#include "engine/speed_table.h"

namespace orvell {
namespace {

TEST(SpeedTable, ItemsNameTheSpeedFollowedByATab) {
    for (int i = 0; i < kSpeedRows; ++i) {
        const SpeedRow& row = SpeedTable[static_cast<std::size_t>(i)];
        EXPECT_EQ(row.wordsPerMinute, 150 + 50 * i);
        std::u16string expected;
        for (char c : std::to_string(row.wordsPerMinute)) expected += static_cast<char16_t>(c);
        EXPECT_EQ(row.item, expected + u"\t");
        EXPECT_EQ(row.stepBack, stepBackDistance(i)) << "row " << i;
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

TEST(StepBack, TruncatesBeforeMultiplying) {
    EXPECT_EQ(stepBackDistance(0), 15);  // not 1000 / 60 = 16
    EXPECT_EQ(stepBackDistance(3), 65);
    EXPECT_EQ(stepBackDistance(17), 300);
}

TEST(StepBack, ClampsBelowOneToZero) {
    EXPECT_EQ(stepBack(100, 3), 35);
    EXPECT_EQ(stepBack(60, 3), 0);
    EXPECT_EQ(stepBack(16, 0), 1);
    EXPECT_EQ(stepBack(15, 0), 0);
    EXPECT_EQ(stepBack(0, 0), 0);
}

}  // namespace
}  // namespace orvell
