#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/engine/cut_outcome.h"
#include "tests/engine/welcome_text.h"

namespace orvell {
namespace {

using test::cutCounting;
using test::kPause;
using Words = std::vector<std::u16string>;

struct TextCase {
    const char* name;
    std::u16string_view text;
    Words words;  // the script up to its first empty slot
    std::int32_t k1;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class Segmentation : public testing::TestWithParam<TextCase> {};

TEST_P(Segmentation, CutsTheTextIntoTheScript) {
    const TextCase& c = GetParam();
    const auto out = cutCounting(c.text);
    EXPECT_EQ(out.result, CutResult::Finished);
    EXPECT_EQ(out.words, c.words);
    EXPECT_EQ(out.k1, c.k1);
}

std::string caseName(const testing::TestParamInfo<TextCase>& info) { return info.param.name; }

const std::u16string P(kPause);

// Each text has one word before the one that ends the sentence or line, as the pauses need.
INSTANTIATE_TEST_SUITE_P(
    SentenceEndsAndLineBreaks, Segmentation,
    testing::Values(
        TextCase{"MarkThenBlank", u"Раз конец. Дальше ", {u"Раз", u"конец.", P, P, u"Дальше"}, 5},
        TextCase{"MarkBlankLineBreak",
                 u"Раз конец. \r\nДальше ",
                 {u"Раз", u"конец.", P, P, u"Дальше"},
                 5},
        TextCase{
            "MarkLineBreak", u"Раз конец.\r\nДальше ", {u"Раз", u"конец.", P, P, u"Дальше"}, 5},
        TextCase{
            "MarkEmptyLine", u"Раз конец.\r\n\r\nДальше ", {u"Раз", u"конец.", P, P, u"Дальше"}, 5},
        TextCase{"WordLineBreak",
                 u"Раз конец\r\nДальше ",
                 {u"Раз", u"конец\r", u"\n", P, P, u"Дальше"},
                 6},
        TextCase{"WordEmptyLine",
                 u"Раз конец\r\n\r\nДальше ",
                 {u"Раз", u"конец\r", u"\n", P, P, u"Дальше"},
                 6},
        TextCase{"CommaLineBreak",
                 u"Раз конец,\r\nДальше ",
                 {u"Раз", u"конец,", u"\r", P, P, u"Дальше"},
                 6},
        TextCase{"BlankLineBreak",
                 u"Раз конец \r\nДальше ",
                 {u"Раз", u"конец", u"\r", P, P, u"Дальше"},
                 6},
        TextCase{
            "Ellipsis", u"Раз так... Дальше ", {u"Раз", u"так.", P, P, u".", u".", u"Дальше"}, 7},
        TextCase{
            "QuestionThenExclamation", u"Раз или?! Да ", {u"Раз", u"или?", P, P, u"!", u"Да"}, 6}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Words, Segmentation,
    testing::Values(
        TextCase{"Empty", u"", {}, 0}, TextCase{"BlanksOnly", u"   ", {}, 0},
        TextCase{
            "SeveralBlanksAndBlankAfterComma", u"Раз,  два   три ", {u"Раз,", u"два", u"три"}, 3},
        TextCase{"HyphenatedWord", u"кто-то пришёл ", {u"кто-", u"то", u"пришёл"}, 3},
        TextCase{"HyphenBetweenBlanks",
                 u"страниц - расстановка ",
                 {u"страниц", u"-", u"расстановка"},
                 3},
        TextCase{
            "Brackets", u"(разметка страниц) дальше ", {u"(разметка", u"страниц)", u"дальше"}, 3},
        TextCase{"TabJoins", u"раз\tдва три ", {u"раз\tдва", u"три"}, 2},
        TextCase{"NoBreakSpaceJoins", u"раз\u00A0два три ", {u"раз\u00A0два", u"три"}, 2},
        TextCase{
            "QuotesAndDashBelongToWords", u"“точкой” — слово ", {u"“точкой”", u"—", u"слово"}, 3},
        TextCase{"EndsInMark", u"Раз два.", {u"Раз", u"два."}, 2},
        // The line feed is dropped from the count but still fills the slot after the last
        // counted entry, so the reading shows it last.
        TextCase{"EndsInMarkLineBreakBlank",
                 u"Раз два три.\r\n ",
                 {u"Раз", u"два", u"три.", P, P, u"\n"},
                 5},
        TextCase{"HeadingThenEmptyLine",
                 u"Заголовок\r\n\r\nТекст ",
                 {u"Заголовок\r", u"\n", u"Текст"},
                 3},
        TextCase{"LeadingEmptyLine", u"\r\nТекст ", {u"\r", u"\n", u"Текст"}, 3},
        TextCase{"OutsideTheBasicPlane", u"\U0001F600ab!", {u"\U0001F600ab!"}, 1}),
    caseName);

// A last word with no delimiter after it is still shown, after the pauses that it follows.
INSTANTIATE_TEST_SUITE_P(
    FinalWordWithoutDelimiter, Segmentation,
    testing::Values(
        TextCase{"AfterBlank", u"Hello world", {u"Hello", u"world"}, 2},
        TextCase{"OnlyWord", u"Hello", {u"Hello"}, 1},
        TextCase{"AfterSentence", u"Раз конец. Дальше", {u"Раз", u"конец.", P, P, u"Дальше"}, 5},
        TextCase{"AfterParagraph", u"Абзац.\r\n\r\nУдачи", {u"Абзац.", P, P, u"Удачи"}, 4},
        TextCase{"AfterWordLineBreak",
                 u"Раз конец\r\nДальше",
                 {u"Раз", u"конец\r", u"\n", P, P, u"Дальше"},
                 6}),
    caseName);

TEST(WelcomeText, IsCutWhole) {
    const auto out = cutCounting(test::kWelcomeText);
    EXPECT_EQ(out.result, CutResult::Finished);
    EXPECT_EQ(out.k1, 309);
    EXPECT_EQ(out.yields, 292);
    ASSERT_EQ(out.words.size(), 309u);

    const std::vector<std::pair<std::size_t, std::u16string_view>> expected = {
        {0, u"Добро"},       {1, u"пожаловать"}, {2, u"в"},     {4, u"по"},
        {6, u"Orvell."},     {7, kPause},        {8, kPause},   {9, u"Попробуем"},
        {12, u"объяснить,"}, {14, u"чем"},       {15, u"суть"}, {16, u"метода:"},
        {22, u"200"},        {30, u"медленно:"}, {114, u"все"}, {304, u"переносов)"},
        {305, u"\r"},        {306, kPause},      {307, kPause}, {308, u"Удачи!"}};
    for (const auto& [slot, word] : expected) EXPECT_EQ(out.words[slot], word) << "slot " << slot;
}

}  // namespace
}  // namespace orvell
