// The reading core: tick sequences, ticks while the text is still cut, the end of a script,
// the step back, a reading resumed at a remembered place and the statistics figures.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/reading_core.h"
#include "tests/engine/cut_outcome.h"

namespace orvell {
namespace {

using test::joined;

constexpr int kDefaultSpeed = 3;  // 300 words per minute, j = 150

// A vocabulary of whole entries: the first sight of an entry gives factor 2.
struct FakeVocabulary {
    std::set<std::u16string> known;
    int lookups = 0;
    LearningLookup lookup() {
        return [this](const DisplayEntry& e) {
            ++lookups;
            return known.insert(joined(e)).second ? 2 : 1;
        };
    }
};

// A core with text cut into its script at a speed; the yield does nothing.
std::unique_ptr<ReadingCore> coreWith(FakeVocabulary& vocabulary, std::u16string text,
                                      int speedIndex = kDefaultSpeed) {
    auto core = std::make_unique<ReadingCore>(vocabulary.lookup());
    core->resetScript();
    core->applySpeed(speedIndex);
    core->cut(std::move(text), [] {});
    return core;
}

// One tick as text: the entry shown with the interval it got, "end" when it ended the reading.
std::string describe(const PacingTick& t) {
    std::string out;
    if (t.shown) {
        const std::u16string word = joined(t.shown.value_or(DisplayEntry{}));
        for (const char16_t c : word) out += c < 0x80 ? static_cast<char>(c) : '#';
        out += ' ' + std::to_string(t.interval);
    }
    if (t.ends) out += out.empty() ? "end" : " end";
    return out;
}

std::vector<std::string> tickToTheEnd(ReadingCore& core, bool learning) {
    std::vector<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        const PacingTick t = core.tick(learning);
        seen.push_back(describe(t));
        if (t.ends) break;
    }
    return seen;
}

struct SequenceCase {
    const char* name;
    std::u16string_view text;
    int speedIndex;
    bool learning;
    std::vector<std::string> ticks;
};

void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.name; }

class TickSequence : public testing::TestWithParam<SequenceCase> {};

// Letters outside ASCII show as '#'. Pauses are 6 + 1 + 8 blanks.
TEST_P(TickSequence, ShowsEachEntryForItsIntervalAndEndsOnTheLast) {
    const SequenceCase& c = GetParam();
    FakeVocabulary vocabulary;
    auto core = coreWith(vocabulary, std::u16string(c.text), c.speedIndex);
    EXPECT_EQ(tickToTheEnd(*core, c.learning), c.ticks);
    EXPECT_EQ(core->sh(), std::max(core->k1() - 1, 0)) << "the last entry stays on display";
    if (!c.learning) {
        EXPECT_EQ(vocabulary.lookups, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Readings, TickSequence,
    testing::Values(
        // Comma: doubled; sentence end: a pause pair of 8 blanks on the right.
        SequenceCase{"CommaAndSentence",
                     u"one, three. seventeen",
                     kDefaultSpeed,
                     false,
                     {"one, 300", "three. 150", "<pause> 300", "<pause> 300", "seventeen 225 end"}},
        // The factor counts twice with a comma; a repeated word is known the second time.
        SequenceCase{"LearningFactor",
                     u"word, word, ab ab",
                     kDefaultSpeed,
                     true,
                     {"word, 1200", "word, 300", "ab 210", "ab 105 end"}},
        SequenceCase{
            "LoneColonGetsTheShortRuleOnly", u": :", kDefaultSpeed, false, {": 105", ": 105 end"}},
        SequenceCase{"FastestSpeedShortestEntry", u"a b", 17, false, {"a 31", "b 31 end"}},
        SequenceCase{
            "OneEntryEndsAtTheFirstTick", u"alone", kDefaultSpeed, false, {"alone 150 end"}},
        SequenceCase{"NoScriptEndsAtOnce", u"", kDefaultSpeed, true, {"end"}}),
    [](const testing::TestParamInfo<SequenceCase>& test) { return std::string(test.param.name); });

TEST(Tick, LearningModeIsReadAtEachTick) {
    FakeVocabulary vocabulary;
    auto core = coreWith(vocabulary, u"abcdefghi abcdefghi abcdefghi");
    EXPECT_EQ(core->tick(false).interval, 225u);
    EXPECT_EQ(vocabulary.lookups, 0);
    EXPECT_EQ(core->tick(true).interval, 450u);
    EXPECT_EQ(core->tick(true).interval, 225u);
    EXPECT_EQ(vocabulary.lookups, 2);
}

// A whole reading while the text is cut: the first ticks already show words, a tick that
// catches up with the cutting waits, and the reading ends only at the real end.
TEST(Cutting, TicksWaitForTheCuttingAndEndAtTheRealEnd) {
    FakeVocabulary vocabulary;
    ReadingCore core(vocabulary.lookup());
    core.resetScript();
    core.applySpeed(kDefaultSpeed);
    std::vector<std::string> duringFirstYield;
    bool first = true;
    core.cut(u"Раз, два.\r\nТри четыре", [&] {
        if (!first) return;
        first = false;
        EXPECT_TRUE(core.cutting());
        duringFirstYield.push_back(describe(core.tick(false)));
        duringFirstYield.push_back(describe(core.tick(false)));
        EXPECT_EQ(core.sh(), 1);
    });
    EXPECT_FALSE(core.cutting());
    EXPECT_EQ(duringFirstYield, (std::vector<std::string>{"###, 300", ""}));
    EXPECT_EQ(core.k1(), 6);
    const auto rest = tickToTheEnd(core, false);
    EXPECT_EQ(rest.size(), 5u);
    EXPECT_EQ(rest.back(), "###### 150 end");
    EXPECT_EQ(core.sh(), 5);
}

// The display keeps up with the cutting to its last entry: the tick after the cutting ends
// finds nothing more and ends the reading on the last entry, showing nothing new.
TEST(Cutting, ARightBehindReadingEndsOnItsLastEntry) {
    FakeVocabulary vocabulary;
    ReadingCore core(vocabulary.lookup());
    core.resetScript();
    core.cut(u"one two three", [&] {
        while (core.sarr().filled(core.sh())) EXPECT_FALSE(core.tick(true).ends);
    });
    EXPECT_EQ(core.sh(), 3);
    const int lookups = vocabulary.lookups;
    EXPECT_EQ(describe(core.tick(true)), "end");
    EXPECT_EQ(core.sh(), 2);
    EXPECT_EQ(vocabulary.lookups, lookups);
}

// A text of five million entries: the first yield comes right after the first entry, so the
// first tick after the start shows it; every later yield comes after exactly one more entry,
// so the growing script never holds the reading back; and the reading goes on to the end.
TEST(Cutting, AFiveMillionEntryTextIsShownFromItsFirstEntryToItsLast) {
    constexpr std::int32_t kEntries = 5'000'000;
    std::u16string text;
    text.reserve(2 * static_cast<std::size_t>(kEntries));
    for (std::int32_t i = 0; i < kEntries; ++i) text += i % 2 == 0 ? u"a " : u"b ";
    FakeVocabulary vocabulary;
    ReadingCore core(vocabulary.lookup());
    core.resetScript();
    std::int32_t yields = 0;
    std::int32_t badYields = 0;  // counted, not asserted each time: five million checks
    core.cut(std::move(text), [&] {
        ++yields;
        if (yields == 1) {
            EXPECT_EQ(describe(core.tick(false)).substr(0, 2), "a ");
        }
        if (!core.sarr().filled(yields - 1) || core.sarr().filled(yields)) ++badYields;
        // The display follows a thousand entries behind.
        if (yields % 1000 == 0) core.tick(false);
    });
    EXPECT_EQ(yields, kEntries);
    EXPECT_EQ(badYields, 0);
    EXPECT_EQ(core.k1(), kEntries);
    EXPECT_EQ(core.sh(), 1 + kEntries / 1000);
    EXPECT_EQ(joined(test::entryAt(core.sarr(), kEntries - 1)), u"b");
    EXPECT_FALSE(core.sarr().filled(kEntries));
}

TEST(Cutting, ANewerStartAbandonsTheOlderCutting) {
    FakeVocabulary vocabulary;
    ReadingCore core(vocabulary.lookup());
    core.resetScript();
    bool restarted = false;
    core.cut(u"один два три четыре пять", [&] {
        if (restarted) return;
        restarted = true;
        core.resetScript();
        core.cut(u"новый текст", [] {});
    });
    EXPECT_FALSE(core.cutting());
    EXPECT_EQ(core.k1(), 2);
    EXPECT_EQ(test::scriptWords(core.sarr()), (std::vector<std::u16string>{u"новый", u"текст"}));
}

// A start from inside the yield that has not begun its own cutting yet: no cutting runs.
TEST(Cutting, AResetInsideTheYieldStopsTheCutting) {
    FakeVocabulary vocabulary;
    ReadingCore core(vocabulary.lookup());
    core.resetScript();
    core.cut(u"один два три", [&] { core.resetScript(); });
    EXPECT_FALSE(core.cutting());
    EXPECT_EQ(core.k1(), 0);
    EXPECT_FALSE(core.sarr().filled(0));
    EXPECT_EQ(describe(core.tick(false)), "end");
}

struct StepBackCase {
    int speedIndex;
    std::int32_t from;
    std::int32_t to;
};

class StepBack : public testing::TestWithParam<StepBackCase> {};

TEST_P(StepBack, MovesBackByTheSpeedsDistanceNotBelowZero) {
    const StepBackCase& c = GetParam();
    FakeVocabulary vocabulary;
    std::u16string text;
    for (int i = 0; i < 400; ++i) text += u"a ";
    auto core = coreWith(vocabulary, text);
    for (std::int32_t i = 0; i < c.from; ++i) core->tick(false);
    ASSERT_EQ(core->sh(), c.from);
    core->stepBack(c.speedIndex);
    EXPECT_EQ(core->sh(), c.to);
    EXPECT_EQ(describe(core->tick(false)), "a 105");
}

INSTANTIATE_TEST_SUITE_P(Distances, StepBack,
                         testing::Values(StepBackCase{3, 100, 35}, StepBackCase{3, 60, 0},
                                         StepBackCase{0, 16, 1}, StepBackCase{0, 15, 0},
                                         StepBackCase{0, 0, 0}, StepBackCase{17, 300, 0},
                                         StepBackCase{17, 301, 1}));

struct ResumeCase {
    int speedIndex;
    std::int32_t place;       // the entry reached before
    std::int32_t firstShown;  // in a text of 400 entries "0" to "399"
};

class Resume : public testing::TestWithParam<ResumeCase> {};

std::u16string decimal(std::int32_t n) {
    const std::string digits = std::to_string(n);
    return {digits.begin(), digits.end()};
}

// The start waits for the cutting to reach its entry, shows it first, and counts the speed of
// this sitting from there; a place the text does not reach starts from the first entry.
TEST_P(Resume, StartsAStepBackBeforeThePlace) {
    const ResumeCase& c = GetParam();
    std::u16string text;
    for (int i = 0; i < 400; ++i) text += decimal(i) + u' ';
    FakeVocabulary vocabulary;
    ReadingCore core(vocabulary.lookup());
    const std::int32_t start = resumeEntry(c.place, c.speedIndex);
    core.resetScript(start);
    core.applySpeed(c.speedIndex);
    bool first = true;
    ASSERT_TRUE(core.cut(text, [&] {
        if (!std::exchange(first, false) || start == 0) return;
        EXPECT_FALSE(core.tick(false).shown) << "the entry is not cut yet";
    }));
    const PacingTick t = core.tick(false);
    ASSERT_TRUE(t.shown);
    EXPECT_EQ(joined(t.shown.value_or(DisplayEntry{})), decimal(c.firstShown));
    // One entry shown in this sitting; the last one leaves sh on itself.
    EXPECT_EQ(core.statisticsTick().speed, t.ends ? 0 : 120);
}

// Step back distances: 15 entries at 150 words a minute, 65 at 300, 300 at 1000.
INSTANTIATE_TEST_SUITE_P(Places, Resume,
                         testing::Values(ResumeCase{0, 100, 85}, ResumeCase{3, 100, 35},
                                         ResumeCase{3, 65, 0}, ResumeCase{3, 0, 0},
                                         ResumeCase{17, 100, 0}, ResumeCase{17, 301, 1},
                                         ResumeCase{3, 399 + 65, 399}, ResumeCase{3, 400 + 65, 0},
                                         ResumeCase{0, 5000, 0}));

struct StatisticsCase {
    const char* name;
    std::int32_t j2;  // before the tick
    std::int32_t sh;
    std::int32_t k1;
    std::string entries;
    std::int64_t speed;
    int barMaximum;
    int barPosition;
    std::int32_t start = 0;  // the entry the reading started at
};

void PrintTo(const StatisticsCase& c, std::ostream* os) { *os << c.name; }

class StatisticsFigures : public testing::TestWithParam<StatisticsCase> {};

TEST_P(StatisticsFigures, FollowTheCountsOfTheReading) {
    const StatisticsCase& c = GetParam();
    const Statistics s = statisticsAfterTick(c.j2, c.sh, c.k1, c.start);
    EXPECT_EQ(s.j2, c.j2 + 1);
    EXPECT_FALSE(s.lastTick);
    EXPECT_EQ(s.entries, c.entries);
    EXPECT_EQ(s.speed, c.speed);
    EXPECT_EQ(s.barMaximum, c.barMaximum);
    EXPECT_EQ(s.barPosition, c.barPosition);
}

// Speed: sh / ticks × 120 entries a minute, halves to the even neighbour. The bar: 0..k1-1,
// never below 0..0, the position kept within.
INSTANTIATE_TEST_SUITE_P(
    Ticks, StatisticsFigures,
    testing::Values(StatisticsCase{"FirstTick", 0, 3, 5, "3 / 4", 360, 4, 3},
                    StatisticsCase{"After200Ticks", 199, 300, 400, "300 / 399", 180, 399, 300},
                    StatisticsCase{"NothingShown", 199, 0, 400, "0 / 399", 0, 399, 0},
                    StatisticsCase{"RoundsDown", 6, 1, 2, "1 / 1", 17, 1, 1},
                    StatisticsCase{"HalfToEvenZero", 239, 1, 2, "1 / 1", 0, 1, 1},
                    StatisticsCase{"HalfToEvenUp", 239, 3, 4, "3 / 3", 2, 3, 3},
                    StatisticsCase{"HalfToEvenDown", 239, 5, 6, "5 / 5", 2, 5, 5},
                    StatisticsCase{"FullScriptInOneTick", 0, 999'998, 999'998, "999998 / 999997",
                                   119'999'760, 999'997, 999'997},
                    StatisticsCase{"NoScriptYet", 0, 0, 0, "0 / -1", 0, 0, 0},
                    StatisticsCase{"OneEntry", 0, 0, 1, "0 / 0", 0, 0, 0},
                    StatisticsCase{"PreviousCountWhileCutting", 0, 50, 10, "50 / 9", 6000, 9, 9},
                    // A resumed reading: the speed counts this sitting's entries, the rest the
                    // place in the whole script.
                    StatisticsCase{"Resumed", 9, 1035, 2000, "1035 / 1999", 420, 1999, 1035, 1000},
                    StatisticsCase{"SteppedBackBehindTheStart", 9, 950, 2000, "950 / 1999", 0, 1999,
                                   950, 1000}),
    [](const testing::TestParamInfo<StatisticsCase>& test) {
        return std::string(test.param.name);
    });

// The tick that finds the count past its limit is the last; it still counts and refreshes.
TEST(Statistics, TheTickCountNeverOverflows) {
    EXPECT_FALSE(statisticsAfterTick(2'100'000'000, 1, 0).lastTick);
    const Statistics last = statisticsAfterTick(2'100'000'001, 1, 0);
    EXPECT_TRUE(last.lastTick);
    EXPECT_EQ(last.j2, 2'100'000'002);
    EXPECT_EQ(last.entries, "1 / -1");
}

// Paused time counts: the count goes on while sh stays, and a start counts afresh.
TEST(Statistics, CountGoesOnAndRestartsAtAStart) {
    FakeVocabulary vocabulary;
    auto core = coreWith(vocabulary, u"a b c d e");
    for (int i = 0; i < 4; ++i) core->tick(false);
    for (int i = 0; i < 3; ++i) core->statisticsTick();
    EXPECT_EQ(core->statisticsTick().speed, 120);
    for (int i = 0; i < 115; ++i) core->statisticsTick();
    const Statistics later = core->statisticsTick();
    EXPECT_EQ(later.j2, 120);
    EXPECT_EQ(later.speed, 4);
    EXPECT_EQ(later.entries, "4 / 4");
    core->restartStatistics();
    EXPECT_EQ(core->statisticsTick().j2, 1);
}

}  // namespace
}  // namespace orvell
