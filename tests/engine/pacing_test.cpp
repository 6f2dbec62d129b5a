#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "engine/pacing.h"

namespace orvell {
namespace {

struct IntervalCase {
    const char* name;
    std::int32_t j;
    std::u16string_view right;
    int factor;
    std::uint32_t interval;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const IntervalCase& c, std::ostream* os) { *os << c.name; }

class DisplayInterval : public testing::TestWithParam<IntervalCase> {};

// The two steps as the tick takes them: the length rules, then the punctuation rule.
TEST_P(DisplayInterval, FollowsTheLengthAndPunctuationRules) {
    const IntervalCase& c = GetParam();
    const std::uint32_t byLength = lengthRuleInterval(c.j, c.right.size(), c.factor);
    EXPECT_EQ(hasPunctuationPause(c.right) ? punctuationInterval(byLength, c.factor) : byLength,
              c.interval);
}

std::string caseName(const testing::TestParamInfo<IntervalCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(
    DefaultSpeed, DisplayInterval,
    testing::Values(IntervalCase{"Empty", 150, u"", 1, 105},
                    IntervalCase{"EmptyNewRoot", 150, u"", 2, 210},
                    IntervalCase{"OneLetter", 150, u"о", 1, 105},
                    IntervalCase{"TwoLetters", 150, u"ро", 1, 150},
                    IntervalCase{"ThreeLetters", 150, u"бро", 1, 150},
                    IntervalCase{"ThreeLettersNewRoot", 150, u"бро", 2, 300},
                    IntervalCase{"FiveLetters", 150, u"абвгд", 1, 150},
                    IntervalCase{"ThreeLettersAndComma", 150, u"ить,", 1, 300},
                    IntervalCase{"ThreeLettersAndCommaNewRoot", 150, u"ить,", 2, 1200},
                    IntervalCase{"SixLetters", 150, u"ловать", 1, 225},
                    IntervalCase{"SixLettersNewRoot", 150, u"ловать", 2, 450},
                    IntervalCase{"SevenLetters", 150, u"абвгдеж", 1, 225},
                    IntervalCase{"EightLetters", 150, u"абвгдежз", 1, 300},
                    IntervalCase{"EightLettersNewRoot", 150, u"абвгдежз", 2, 600},
                    IntervalCase{"EightLettersAndColon", 150, u"абвгдежз:", 1, 600},
                    IntervalCase{"EightLettersAndColonNewRoot", 150, u"абвгдежз:", 2, 2400},
                    IntervalCase{"PauseEntry", 150, u"        ", 1, 300},
                    IntervalCase{"PauseEntryNewRoot", 150, u"        ", 2, 600}),
    caseName);

// Exact products, halves to the even neighbour, the factor inside the rounding.
INSTANTIATE_TEST_SUITE_P(
    Rounding, DisplayInterval,
    testing::Values(IntervalCase{"J75ShortHalfDown", 75, u"", 1, 52},
                    IntervalCase{"J75ShortNewRootNotTwiceRounded", 75, u"а", 2, 105},
                    IntervalCase{"J75LongHalfDown", 75, u"абвгде", 1, 112},
                    IntervalCase{"J75LongNewRoot", 75, u"абвгде", 2, 225},
                    IntervalCase{"J65ShortHalfUp", 65, u"", 1, 46},
                    IntervalCase{"J65LongHalfUp", 65, u"абвгде", 1, 98},
                    IntervalCase{"J55ShortHalfDown", 55, u"", 1, 38},
                    IntervalCase{"J133SixHalfUp", 133, u"абвгде", 1, 200},
                    IntervalCase{"J91SevenHalfDown", 91, u"абвгдеж", 1, 136},
                    IntervalCase{"J45ShortExactHalfNotBinaryFraction", 45, u"", 1, 32},
                    IntervalCase{"J44ShortestOfAll", 44, u"", 1, 31}),
    caseName);

INSTANTIATE_TEST_SUITE_P(Punctuation, DisplayInterval,
                         testing::Values(IntervalCase{"SemicolonInside", 100, u"а;бв", 1, 200},
                                         IntervalCase{"CommaFirst", 100, u",абв", 2, 800},
                                         IntervalCase{"FullStopNoPause", 100, u"абв.", 1, 100},
                                         IntervalCase{"ExclamationNoPause", 100, u"абв!", 1, 100},
                                         IntervalCase{"QuestionNoPause", 100, u"абв?", 1, 100},
                                         IntervalCase{"LoneColonHasEmptyRight", 100, u"", 1, 70}),
                         caseName);

TEST(PacingSteps, PunctuationAppliesTheFactorAgain) {
    EXPECT_EQ(lengthRuleInterval(150, 4, 2), 300u);
    EXPECT_TRUE(hasPunctuationPause(u"ить,"));
    EXPECT_FALSE(hasPunctuationPause(u"ить."));
    EXPECT_EQ(punctuationInterval(300, 2), 1200u);
    EXPECT_EQ(punctuationInterval(300, 1), 600u);
}

}  // namespace
}  // namespace orvell
