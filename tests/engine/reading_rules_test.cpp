// The rules a reader may change, on top of the classic pacing: every factor, the pauses shown,
// several words per flash, the warm-up, speeds between the table's rows and the base interval
// fitted to a speed in words per minute.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/pacing.h"
#include "engine/reading_core.h"
#include "engine/speed_table.h"
#include "tests/engine/cut_outcome.h"

namespace orvell {
namespace {

using Change = std::function<void(ReadingRules&)>;

constexpr int kSpeed = 300;  // j = 150

// A flash as text: its words ("_" a pause, "/" a line break) and how long it stays.
std::string describe(const DisplayEntry& e, std::uint32_t ms) {
    std::string out;
    for (const char16_t c : test::joined(e)) {
        if (c == u'\n' || c == u'\r') {
            out += '/';
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {  // two bytes of UTF-8 are enough for the letters here
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    if (out == "<pause>") out = "_";
    return out + ' ' + std::to_string(ms);
}

std::vector<std::string> readWith(const Change& change, std::u16string text) {
    ReadingCore core([](const DisplayEntry&) { return 1; });
    ReadingRules rules;
    change(rules);
    core.setRules(rules);
    core.resetScript();
    core.applyWordsPerMinute(kSpeed);
    core.cut(
        std::move(text), [] {}, LineFeeds::AsCrLf);
    std::vector<std::string> flashes;
    for (int i = 0; i < 100; ++i) {
        const PacingTick t = core.tick(false);
        if (t.shown) flashes.push_back(describe(*t.shown, t.interval));
        if (t.ends) break;
    }
    return flashes;
}

TEST(ReadingRules, EachFactorChangesOnlyTheTimesItNames) {
    struct Case {
        const char* label;
        Change change;
        std::u16string_view word;
        int factor;  // 2: a new root
        DisplayTime time;
    };
    const std::vector<Case> cases = {
        {"classic short", [](ReadingRules&) {}, u"а", 1, {105, 105}},
        {"short ×0.75, a half to even",
         [](ReadingRules& r) { r.pauses.shortPercent = 75; },
         u"а",
         1,
         {112, 112}},
        {"normal ×1.2",
         [](ReadingRules& r) { r.pauses.normalPercent = 120; },
         u"слово",
         1,
         {180, 180}},
        {"long from 3", [](ReadingRules& r) { r.pauses.longAbove = 2; }, u"слово", 1, {225, 225}},
        {"very long ×2.5",
         [](ReadingRules& r) { r.pauses.veryLongPercent = 250; },
         u"переосмысление",
         1,
         {375, 375}},
        {"classic comma, new root", [](ReadingRules&) {}, u"слово,", 2, {300, 1200}},
        {"comma ×1.5",
         [](ReadingRules& r) { r.pauses.punctuationPercent = 150; },
         u"слово,",
         1,
         {150, 225}},
        {"new root ×1.5, with a comma",
         [](ReadingRules& r) { r.pauses.newRootPercent = 150; },
         u"слово,",
         2,
         {225, 675}},
        {"sentence end ×2",
         [](ReadingRules& r) { r.pauses.sentenceEndPercent = 200; },
         u"слово.",
         1,
         {150, 300}},
        {"sentence end ×2, not inside one",
         [](ReadingRules& r) { r.pauses.sentenceEndPercent = 200; },
         u"слово",
         1,
         {150, 150}},
        {"number ×1.5",
         [](ReadingRules& r) { r.pauses.numberPercent = 150; },
         u"1812",
         1,
         {150, 225}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ReadingRules rules;
        c.change(rules);
        EXPECT_EQ(displayTime(rules.pauses, 150, cutWord(c.word), c.factor), c.time);
    }
}

TEST(ReadingRules, PausesFlashesAndTheWarmUpShapeTheTicks) {
    struct Case {
        const char* label;
        Change change;
        std::u16string_view text;
        std::vector<std::string> flashes;
    };
    const Change none = [](ReadingRules&) {};
    const auto words = [](int n, int width = 13) {
        return [n, width](ReadingRules& r) { r.flash = {n, width}; };
    };
    const std::vector<Case> cases = {
        {"classic",
         none,
         u"One two. Three\nfour",
         {"One 150", "two. 150", "_ 300", "_ 300", "Three/ 150", "/ 105", "_ 300", "_ 300",
          "four 150"}},
        {"no pause after a sentence, one after a line",
         [](ReadingRules& r) {
             r.pauses.sentencePauses = 0;
             r.pauses.lineBreakPauses = 1;
         },
         u"One two. Three\nfour",
         {"One 150", "two. 150", "Three/ 150", "/ 105", "_ 300", "four 150"}},
        {"four pauses after a sentence",
         [](ReadingRules& r) { r.pauses.sentencePauses = 4; },
         u"One two. Three",
         {"One 150", "two. 150", "_ 300", "_ 900", "Three 150"}},
        {"two words: never across a sentence end",
         words(2),
         u"One two. Three four five",
         {"One two. 300", "_ 300", "_ 300", "Three four 300", "five 150"}},
        {"three words of one letter", words(3), u"a b c d e", {"a b c 315", "d e 210"}},
        {"three words: the width stops a join",
         words(3),
         u"Stretch words here",
         {"Stretch words 300", "here 150"}},
        {"three words: a comma, a colon and a semicolon stop a join",
         words(3),
         u"one, two: six; ten",
         {"one, 300", "two: 300", "six; 300", "ten 150"}},
        {"three words: never across a line",
         words(3),
         u"one two\nsix",
         {"one two/ 300", "/ 105", "_ 300", "_ 300", "six 150"}},
        {"three Cyrillic words fill the width",
         words(3, 11),
         u"мир дом сад лес",
         {"мир дом сад 315", "лес 105"}},
        {"a word wider than the limit stands alone",
         words(2),
         u"Переосмысление и",
         {"Переосмысление 300", "и 105"}},
        {"a hyphen joins without a blank", words(2), u"red-white", {"red-white 300"}},
        {"warm-up from half the speed over two words",
         [](ReadingRules& r) {
             r.speed = {false, true, 50, 2};
         },
         u"a b c d",
         {"a 210", "b 140", "c 105", "d 105"}},
        {"warm-up counts the words of a flash",
         [](ReadingRules& r) {
             r.speed = {false, true, 50, 2};
             r.flash = {2, 13};
         },
         u"a b c d",
         {"a b 420", "c d 210"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(readWith(c.change, std::u16string(c.text)), c.flashes);
    }
}

TEST(ReadingRules, SpeedsBetweenRowsLieOnTheLineBetweenThem) {
    struct Case {
        int speed;
        std::int32_t j;
        std::int32_t stepBack;
        int above;
        int below;
    };
    const std::vector<Case> cases = {
        {300, 150, 65, 350, 250},  {310, 148, 68, 350, 300},   {325, 146, 72, 350, 300},
        {990, 44, 296, 1000, 950}, {1000, 44, 300, 1000, 950}, {150, 280, 15, 200, 150},
        {140, 280, 15, 200, 150},  {1010, 44, 300, 1000, 950},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.speed);
        EXPECT_EQ(baseIntervalAt(c.speed), c.j);
        EXPECT_EQ(stepBackDistanceAt(c.speed), c.stepBack);
        EXPECT_EQ(rowSpeedAbove(c.speed), c.above);
        EXPECT_EQ(rowSpeedBelow(c.speed), c.below);
    }
    for (int row = 0; row < kSpeedRows; ++row) {
        EXPECT_EQ(baseIntervalAt(speedOfRow(row)), baseIntervalFor(row, 0));
        EXPECT_EQ(stepBackDistanceAt(speedOfRow(row)), stepBackDistance(row));
    }
}

// The fitted base interval makes the entries ahead take a minute per `speed` of them.
TEST(ReadingRules, TheSpeedInWordsPerMinuteFitsTheBaseIntervalToTheText) {
    struct Case {
        const char* label;
        std::u16string_view text;
        int speed;
        double newRootShare;
        std::uint32_t firstTick;
    };
    const std::vector<Case> cases = {
        // Words of 105 ms at j = 150 must take 200: j becomes 286, a word 0.7 × 286.
        {"short words at 300", u"ab cd ef gh", 300, 0.0, 200},
        // Half the roots new take 1.5 times as long on the whole: j becomes 190.
        {"half of them new roots", u"ab cd ef gh", 300, 0.5, 133},
        // A sentence of two words and its pauses, 150 + 150 + 300 + 300 at j = 150, must
        // take 4 × 60 ms at 1000 (j = 44): j becomes 40.
        {"pauses count as entries", u"abc def. ", 1000, 0.0, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ReadingCore core([](const DisplayEntry&) { return 1; });
        ReadingRules rules;
        rules.speed.wordsPerMinute = true;
        core.setRules(rules);
        core.resetScript();
        core.applyWordsPerMinute(c.speed);
        core.cut(std::u16string(c.text), [] {});
        core.fitSpeed(c.newRootShare);
        EXPECT_EQ(core.tick(false).interval, c.firstTick);
    }
}

}  // namespace
}  // namespace orvell
