#include "vocabulary/roots.h"

#include <gtest/gtest.h>

#include <string>

namespace orvell {
namespace {

struct WorkedExample {
    const char* name;
    std::u16string word;
    std::u16string cleaned;
    std::u16string root;

    friend void PrintTo(const WorkedExample& c, std::ostream* os) { *os << c.name; }
};

class WorkedExamples : public testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExamples, CleanThenRootGiveTheListedForms) {
    const WorkedExample& example = GetParam();
    const std::u16string cleaned = clean(example.word);
    EXPECT_EQ(cleaned, example.cleaned);
    EXPECT_EQ(RootOfWord(cleaned), example.root);
}

INSTANTIATE_TEST_SUITE_P(
    Roots, WorkedExamples,
    testing::Values(WorkedExample{"Otvetstvennosti", u"Ответственности", u"Ответственности",
                                  u"ответств"},
                    WorkedExample{"Govorit", u"говорить", u"говорить", u"говор"},
                    WorkedExample{"Prochitannoe", u"прочитанное", u"прочитанное", u"чит"},
                    WorkedExample{"Perestraivayuschegosya", u"перестраивающегося",
                                  u"перестраивающегося", u"тра"},
                    WorkedExample{"Izmenyonnykh", u"изменённых", u"изменённых", u"мен"},
                    WorkedExample{"PoekhaliWithComma", u"Поехали,", u"Поехали", u"ехал"},
                    WorkedExample{"SlovoInGuillemets", u"«Слово»,", u"«Слово", u"«сл"},
                    WorkedExample{"PrivetInStraightQuotes", u"\"Привет\"", u"Привет\"", u"ет\""},
                    WorkedExample{"Vot", u"вот", u"вот", u"т"},
                    WorkedExample{"Iz", u"из", u"из", u"из"},
                    WorkedExample{"Reading", u"Reading", u"reading", u"read"},
                    WorkedExample{"Running", u"Running", u"running", u"runn"},
                    WorkedExample{"Speakers", u"speakers", u"speakers", u"speak"},
                    WorkedExample{"AllVowels", u"aeiou", u"aeiou", u""}),
    [](const auto& test) { return std::string(test.param.name); });

struct CleanCase {
    const char* name;
    std::u16string input;
    std::u16string expected;

    friend void PrintTo(const CleanCase& c, std::ostream* os) { *os << c.name; }
};

class CleanCases : public testing::TestWithParam<CleanCase> {};

TEST_P(CleanCases, RemovesTheFirstOfEachSymbolOnly) {
    EXPECT_EQ(clean(GetParam().input), GetParam().expected);
    if (cleanLeavesAlone(GetParam().input)) {
        EXPECT_EQ(GetParam().expected, GetParam().input);
    }
}

TEST(CleanLeavesAlone, RootsOfLettersOnly) {
    EXPECT_TRUE(cleanLeavesAlone(u"говор"));
    EXPECT_TRUE(cleanLeavesAlone(u"Говор"));
    EXPECT_TRUE(cleanLeavesAlone(u""));
    EXPECT_FALSE(cleanLeavesAlone(u"Read"));
    EXPECT_FALSE(cleanLeavesAlone(u"ет\""));
    EXPECT_FALSE(cleanLeavesAlone(u"а\u00BB"));
}

INSTANTIATE_TEST_SUITE_P(
    Clean, CleanCases,
    testing::Values(
        // Each symbol of the table goes once; its second copy stays.
        CleanCase{"Comma", u"а,,б", u"а,б"}, CleanCase{"FullStop", u"...", u".."},
        CleanCase{"QuotationMark", u"\"\"", u"\""}, CleanCase{"Colon", u"::", u":"},
        CleanCase{"Exclamation", u"!!", u"!"}, CleanCase{"Question", u"??", u"?"},
        CleanCase{"HyphenMinus", u"--", u"-"}, CleanCase{"OpeningBracket", u"((", u"("},
        CleanCase{"ClosingBracket", u"))", u")"}, CleanCase{"OpeningSquare", u"[[", u"["},
        CleanCase{"ClosingSquare", u"]]", u"]"},
        CleanCase{"RightDoubleQuote", u"\u201D\u201D", u"\u201D"},
        CleanCase{"LeftDoubleQuote", u"\u201C\u201C", u"\u201C"},
        CleanCase{"Semicolon", u";;", u";"},
        // The blank has two rows.
        CleanCase{"ThreeBlanks", u"а б в г", u"абв г"},
        CleanCase{"PauseEntryLosesTwoBlanks", std::u16string(15, u' '), std::u16string(13, u' ')},
        CleanCase{"FullStopsAndExclamations", u"...Да!!", u"..Да!"},
        // The closing guillemet goes only when an opening one is there; « always stays.
        CleanCase{"GuillemetsBoth", u"«а»»", u"«а»"},
        CleanCase{"ClosingGuillemetAlone", u"а»", u"а»"},
        CleanCase{"OpeningGuillemetAlone", u"«а", u"«а"},
        // Only A to Z are lowered.
        CleanCase{"LatinCapitals", u"AZaz@[", u"azaz@"},
        CleanCase{"CyrillicCapitalsStay", u"ЁЖ", u"ЁЖ"},
        CleanCase{"OtherCharactersStay", u"1'/\t\r\n\u2014\u2026", u"1'/\t\r\n\u2014\u2026"},
        CleanCase{"Empty", u"", u""}),
    [](const auto& test) { return std::string(test.param.name); });

struct RootCase {
    const char* name;
    std::u16string input;
    std::u16string root;

    friend void PrintTo(const RootCase& c, std::ostream* os) { *os << c.name; }
};

class RootCases : public testing::TestWithParam<RootCase> {};

TEST_P(RootCases, GivesTheRoot) { EXPECT_EQ(RootOfWord(GetParam().input), GetParam().root); }

INSTANTIATE_TEST_SUITE_P(
    Root, RootCases,
    testing::Values(
        RootCase{"Empty", u"", u""}, RootCase{"OnlyBlanks", std::u16string(13, u' '), u""},
        RootCase{"TrimsControlCharacters", u"\t говорить\r\n", u"говор"},
        RootCase{"LowersEveryScript", u"ГОВОРИТЬ", u"говор"}, RootCase{"LowersYo", u"Ёж", u"ёж"},
        RootCase{"LatinCapitalAmongCyrillic", u"Dом", u"dом"},
        RootCase{"SurrogatesUntouched", u"\U0001F600\U00010400", u"\U0001F600\U00010400"},
        RootCase{"FourVowelsVanish", u"аеиу", u""},
        // Step 6 deletes once per pass: ст in the first, нн in the second.
        RootCase{"TripleOncePerPass", u"ответственност", u"ответств"},
        RootCase{"FourLettersWithTriple", u"жост", u"жо"},
        RootCase{"FourLettersWithPairThenPrefix", u"сжам", u"ж"},
        RootCase{"ThreeLettersOnlyPrefixes", u"наш", u"ш"},
        RootCase{"TwoLettersOnlyOneLetterPrefix", u"вж", u"ж"},
        RootCase{"OneLetterNeverChanges", u"в", u"в"},
        // ся goes as an ending before anything else is looked at.
        RootCase{"ReflexiveEnding", u"мылся", u"мыл"},
        RootCase{"IngNeedsFiveLetters", u"xing", u"xing"},
        RootCase{"LastLetterOncePerPass", u"крайййй", u"крайй"},
        RootCase{"PairSuffixRepeats", u"ждамям", u"жд"},
        // A blank is a member of the one-letter lists: "й ь s" and "в с".
        RootCase{"BlankIsALastLetter", u"жжж ам", u"жжж"},
        RootCase{"BlankIsAOneLetterPrefix", u"на жж", u"жж"},
        RootCase{"LongPrefixCascades", u"перепродать", u"д"}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace orvell
