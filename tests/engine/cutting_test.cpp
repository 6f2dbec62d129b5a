// How the cutting runs: what a handler sees at each yield, abandoning a cutting, and a text
// that does not fit into the script.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/engine/cut_outcome.h"

namespace orvell {
namespace {

using test::kPreviousK1;

std::int32_t firstEmptySlot(const ReadingScript& sarr) {
    std::int32_t i = 0;
    while (sarr.filled(i)) ++i;
    return i;
}

// Counts the filled slots among the first 64, more than the short texts here can fill.
std::int32_t filledSlots(const ReadingScript& sarr) {
    std::int32_t n = 0;
    for (std::int32_t i = 0; i < 64; ++i) n += sarr.filled(i);
    return n;
}

TEST(Yield, SeesOnlyCompleteEntriesAndThePreviousCount) {
    // Sentence pauses, a line break that stays and empty lines whose breaks are dropped.
    const std::u16string text = u"Раз два.\r\n\r\nТри четыре\r\nпять, шесть \r\n\r\nсемь";
    auto sarr = std::make_unique<ReadingScript>();
    std::int32_t k1 = kPreviousK1;
    std::vector<std::int32_t> storedAt;
    const auto result = cutText(text, *sarr, k1, [&] {
        const std::int32_t e = firstEmptySlot(*sarr) - 1;
        storedAt.push_back(e);
        EXPECT_EQ(filledSlots(*sarr), e + 1) << "a slot after " << e << " is filled";
        EXPECT_EQ(k1, kPreviousK1);
        EXPECT_FALSE(isPause(test::entryAt(*sarr, e))) << "yield after a pause, slot " << e;
        for (std::int32_t i = 0; i <= e; ++i) EXPECT_EQ(sarr->at(i)->focus.size(), 1u);
        return true;
    });
    EXPECT_EQ(result, CutResult::Finished);
    // Раз два. · P P · Три четыре\r · \n · P P · пять, шесть · \r · P P · семь; each dropped
    // line break still had its yield.
    EXPECT_EQ(storedAt,
              (std::vector<std::int32_t>{0, 1, 4, 4, 4, 4, 4, 5, 6, 9, 10, 11, 14, 14, 14, 14}));
    EXPECT_EQ(k1, 15);
}

TEST(Yield, NeverCalledWithoutWordEntry) {
    for (const char16_t* text : {u"", u"    "}) {
        const auto out = test::cutCounting(text);
        EXPECT_EQ(out.yields, 0);
        EXPECT_EQ(out.k1, 0);
    }
}

TEST(Abandon, StopsAtOnceWithoutAnotherWriteOrCount) {
    auto sarr = std::make_unique<ReadingScript>();
    std::int32_t k1 = kPreviousK1;
    int yields = 0;
    // The third word ends a sentence; abandoning after it leaves its pauses unwritten.
    const auto result =
        cutText(u"Раз два три. Четыре пять", *sarr, k1, [&] { return ++yields < 3; });
    EXPECT_EQ(result, CutResult::Abandoned);
    EXPECT_EQ(yields, 3);
    EXPECT_EQ(k1, kPreviousK1);
    EXPECT_EQ(test::scriptWords(*sarr), (std::vector<std::u16string>{u"Раз", u"два", u"три."}));
}

TEST(Abandon, NewerCuttingInsideAYieldOwnsTheScript) {
    auto sarr = std::make_unique<ReadingScript>();
    std::int32_t k1 = 0;
    int olderYields = 0;
    const auto older = cutText(u"один два три четыре", *sarr, k1, [&] {
        if (++olderYields < 2) return true;
        // A new start: reset and cut the new text, then tell the older cutting to stop.
        sarr->reset();
        EXPECT_EQ(cutText(u"Новый текст", *sarr, k1, [] { return true; }), CutResult::Finished);
        return false;
    });
    EXPECT_EQ(older, CutResult::Abandoned);
    EXPECT_EQ(k1, 2);
    EXPECT_EQ(test::scriptWords(*sarr), (std::vector<std::u16string>{u"Новый", u"текст"}));
}

// Texts of one-letter words around the million entries where the script used to be full: it
// grows instead, and every entry is kept.
struct GrowthCase {
    const char* name;
    std::int32_t words;  // "a" words, each followed by a blank
    std::u16string_view tail;
    std::int32_t k1;
    std::u16string_view last;  // the entry in slot k1 - 1
};

// The text box keeps a line break as one line feed: cut as CR LF, its text gives the entries
// and marks of the same text with CR LF, at positions that count each line break once, and each
// word entry is the text at its position (its CR the line feed there).
TEST(LineFeeds, CutAsCrLfGiveTheSameScriptAtTheTextBoxPositions) {
    const auto cases = std::to_array<std::u16string_view>({
        u"Раз два.\r\n\r\nТри четыре\r\nпять, шесть \r\n\r\nсемь",
        u"\r\nНачало,\r\n\r\n\r\nи конец\r\n",
        u"Строка\r\nещё строка\r\nпоследнее слово",
        u"Без переводов строк. Совсем",
    });
    for (std::size_t c = 0; c < cases.size(); ++c) {
        const std::u16string_view crLf = cases[c];
        std::u16string lf(crLf);
        std::erase(lf, u'\r');
        std::int32_t k1 = 0;
        std::int32_t lfK1 = 0;
        const auto sarr = std::make_unique<ReadingScript>();
        const auto lfSarr = std::make_unique<ReadingScript>();
        cutText(std::u16string(crLf), *sarr, k1, [] { return true; });
        cutText(
            lf, *lfSarr, lfK1, [] { return true; }, LineFeeds::AsCrLf);
        ASSERT_EQ(lfK1, k1) << "case " << c;
        EXPECT_EQ(lfSarr->sentenceStarts(), sarr->sentenceStarts());
        EXPECT_EQ(lfSarr->paragraphStarts(), sarr->paragraphStarts());
        for (std::int32_t i = 0; i < k1; ++i) {
            const DisplayEntry entry = test::entryAt(*lfSarr, i);
            EXPECT_EQ(entry, test::entryAt(*sarr, i)) << "case " << c << ", entry " << i;
            const auto crLfAt = static_cast<std::size_t>(sarr->position(i));
            const auto crs = std::count(crLf.begin(), crLf.begin() + crLfAt, u'\r');
            const auto at = static_cast<std::size_t>(lfSarr->position(i));
            EXPECT_EQ(at, crLfAt - static_cast<std::size_t>(crs))
                << "case " << c << ", entry " << i;
            if (isPause(entry)) continue;
            std::u16string word = test::joined(entry);
            if (word.back() == u'\r') word.back() = u'\n';
            EXPECT_EQ(lf.substr(at, word.size()), word) << "case " << c << ", entry " << i;
        }
    }
}

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const GrowthCase& c, std::ostream* os) { *os << c.name; }

class Growth : public testing::TestWithParam<GrowthCase> {};

TEST_P(Growth, EveryEntryIsKeptAndTheSlotAfterTheLastStaysEmpty) {
    const GrowthCase& c = GetParam();
    std::u16string text;
    text.reserve(static_cast<std::size_t>(c.words) * 2 + c.tail.size());
    for (std::int32_t i = 0; i < c.words; ++i) text += u"a ";
    text += c.tail;

    auto sarr = std::make_unique<ReadingScript>();
    std::int32_t k1 = kPreviousK1;
    const auto result = cutText(std::move(text), *sarr, k1, [] { return true; });
    EXPECT_EQ(result, CutResult::Finished);
    EXPECT_EQ(k1, c.k1);
    ASSERT_TRUE(sarr->filled(c.k1 - 1));
    EXPECT_EQ(test::joined(test::entryAt(*sarr, c.k1 - 1)), c.last);
    EXPECT_FALSE(sarr->filled(c.k1));
}

// The former last entry, 999,998.
constexpr std::int32_t kOldBound = 999'998;

INSTANTIATE_TEST_SUITE_P(
    LongText, Growth,
    testing::Values(GrowthCase{"OneWordPastTheOldBound", kOldBound, u"z", kOldBound + 1, u"z"},
                    GrowthCase{"PausePairAcrossTheOldBound", kOldBound - 2, u"b. c", kOldBound + 2,
                               u"c"}),
    [](const testing::TestParamInfo<GrowthCase>& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace orvell
