#include <gtest/gtest.h>

#include <ostream>
#include <string_view>

#include "engine/segmentation.h"

namespace orvell {
namespace {

struct FocusCase {
    const char* name;
    std::u16string_view word;
    std::u16string_view left, focus, right;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FocusCase& c, std::ostream* os) { *os << c.name; }

class FocusRule : public testing::TestWithParam<FocusCase> {};

TEST_P(FocusRule, SplitsAroundTheFocusLetter) {
    const FocusCase& c = GetParam();
    const DisplayEntry e = cutWord(c.word);
    EXPECT_EQ(e.left, c.left);
    EXPECT_EQ(e.focus, c.focus);
    EXPECT_EQ(e.right, c.right);
}

INSTANTIATE_TEST_SUITE_P(
    Words, FocusRule,
    testing::Values(
        // The words of the welcome text as the window shows them.
        FocusCase{"OneLetter", u"в", u"", u"в", u""},
        FocusCase{"TwoLetters", u"по", u"", u"п", u"о"},
        FocusCase{"ThreeWithConsonantSecond", u"все", u"", u"в", u"се"},
        FocusCase{"ThreeDigits", u"200", u"", u"2", u"00"},
        FocusCase{"ThreeWithFocusVowelSecond", u"чем", u"ч", u"е", u"м"},
        FocusCase{"Four", u"суть", u"с", u"у", u"ть"},
        FocusCase{"Five", u"Добро", u"Д", u"о", u"бро"},
        FocusCase{"SevenWithColon", u"метода:", u"ме", u"т", u"ода:"},
        FocusCase{"NineWithColon", u"медленно:", u"ме", u"д", u"ленно:"},
        FocusCase{"TenWithComma", u"объяснить,", u"объ", u"я", u"снить,"},
        FocusCase{"Ten", u"пожаловать", u"пож", u"а", u"ловать"},
        FocusCase{"SixWithExclamation", u"Удачи!", u"У", u"д", u"ачи!"},
        FocusCase{"Thirteen", u"переносов)abc", u"пере", u"н", u"осов)abc"},
        // Only the eight lower-case vowels move the focus.
        FocusCase{"YeryIsNoFocusVowel", u"мыл", u"", u"м", u"ыл"},
        FocusCase{"YoIsNoFocusVowel", u"лёд", u"", u"л", u"ёд"},
        FocusCase{"CapitalIsNoFocusVowel", u"ДОМ", u"", u"Д", u"ОМ"},
        FocusCase{"LatinIsNoFocusVowel", u"cat", u"", u"c", u"at"},
        FocusCase{"FocusVowelThenComma", u"да,", u"д", u"а", u","},
        FocusCase{"FocusVowelInTwoLetterWordIgnored", u"да", u"", u"д", u"а"},
        FocusCase{"HyphenStays", u"кто-", u"к", u"т", u"о-"},
        FocusCase{"OpeningBracket", u"(разметка", u"(р", u"а", u"зметка"},
        FocusCase{"ClosingBracket", u"переносов)", u"пер", u"е", u"носов)"},
        FocusCase{"LineBreak", u"\n", u"", u"\n", u""},
        // A character outside the Basic Multilingual Plane is two code units, which can part.
        FocusCase{"SurrogatePairSplit", u"\U0001D538bcd", u"\xD835", u"\xDD38", u"bcd"},
        FocusCase{"SurrogatePairInRight", u"a\U0001D538", u"", u"a", u"\U0001D538"}),
    [](const testing::TestParamInfo<FocusCase>& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace orvell
