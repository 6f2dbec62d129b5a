// Finding the way in a reading: where each entry came from in the text, where sentences,
// paragraphs and chapters start, the moves with their one-second rule, and the time left.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/reading_core.h"
#include "tests/engine/cut_outcome.h"

namespace orvell {
namespace {

using test::joined;

constexpr int kSpeed = 3;  // 300 words per minute, j = 150

ReadingCore coreWith(const std::u16string& text) {
    ReadingCore core([](const DisplayEntry&) { return 1; });
    core.resetScript();
    core.applySpeed(kSpeed);
    core.cut(text, [] {});
    return core;
}

std::string ascii(const std::u16string& s) { return {s.begin(), s.end()}; }

// The words of the entries given, as joined text, pauses as "_".
std::string wordsAt(const ReadingCore& core, const std::vector<std::int32_t>& entries) {
    std::string out;
    for (const std::int32_t i : entries) {
        const std::optional<DisplayEntry> e = core.sarr().at(i);
        if (!out.empty()) out += '|';
        out += !e ? "-" : isPause(*e) ? "_" : ascii(joined(*e));
    }
    return out;
}

std::int32_t entryOf(const ReadingCore& core, const std::u16string& word) {
    for (std::int32_t i = 0; i < core.k1(); ++i) {
        if (joined(test::entryAt(core.sarr(), i)) == word) return i;
    }
    return -1;
}

TEST(Moves, EveryEntryKnowsItsPlaceInTheText) {
    struct Case {
        const char* label;
        std::u16string text;
        std::string sentences;
        std::string paragraphs;
    };
    const std::vector<Case> cases = {
        {"sentences and a last word without a delimiter", u"One two. Three four? Five",
         "One|Three|Five", "One"},
        {"line breaks, CR LF and an empty line", u"One\ntwo.\r\nThree\n\nFour five",
         "One\n|two.|Three\n|Four", "One\n|two.|Three\n|Four"},
        {"a sentence ending a line", u"One. Two.\nThree", "One.|Two.|Three", "One.|Three"},
        {"no text", u"", "", ""},
    };
    for (const Case& c : cases) {
        const ReadingCore core = coreWith(c.text);
        EXPECT_EQ(wordsAt(core, core.sarr().sentenceStarts()), c.sentences) << c.label;
        EXPECT_EQ(wordsAt(core, core.sarr().paragraphStarts()), c.paragraphs) << c.label;
        for (std::int32_t i = 0; i < core.k1(); ++i) {
            const DisplayEntry e = test::entryAt(core.sarr(), i);
            if (isPause(e)) continue;
            const std::int32_t at = core.sarr().position(i);
            const std::u16string word = joined(e);
            EXPECT_EQ(ascii(c.text.substr(static_cast<std::size_t>(at), word.size())), ascii(word))
                << c.label << ", entry " << i;
            // Any place within the word, or in the blanks after it, belongs to its entry.
            EXPECT_EQ(core.entryAt(at + static_cast<std::int32_t>(word.size()) - 1), i)
                << c.label << ", entry " << i;
        }
    }
}

// A text of three chapters, two paragraphs in the second, and words enough that a second of
// reading (seven entries of 150 ms) passes inside a sentence.
const std::u16string kBook =
    u"Alpha one two three four five six seven eight. Beta.\n"
    u"Gamma one two three four five six seven eight nine.\n"
    u"Delta one. Epsilon two.";

TEST(Moves, GoByTheUnitAndBackToTheStartAfterASecond) {
    struct Case {
        const char* label;
        const char16_t* from;  // the word sh is at
        Unit unit;
        bool forward;
        const char16_t* to;  // nullptr: no move
    };
    const std::vector<Case> cases = {
        {"next sentence from inside one", u"three", Unit::Sentence, true, u"Beta."},
        {"back early in a sentence: the one before", u"one", Unit::Sentence, false, u"Alpha"},
        {"back late in a sentence: its start", u"eight.", Unit::Sentence, false, u"Alpha"},
        {"back at a sentence start: the one before", u"Beta.", Unit::Sentence, false, u"Alpha"},
        {"back at the first sentence's start", u"Alpha", Unit::Sentence, false, nullptr},
        {"next from the last sentence", u"two.", Unit::Sentence, true, nullptr},
        {"next paragraph", u"two", Unit::Paragraph, true, u"Gamma"},
        {"back late in a paragraph", u"nine.", Unit::Paragraph, false, u"Gamma"},
        {"next chapter", u"Beta.", Unit::Chapter, true, u"Gamma"},
        {"back early in a chapter: the one before", u"Delta", Unit::Chapter, false, u"Gamma"},
        {"next from the last chapter", u"Epsilon", Unit::Chapter, true, nullptr},
    };
    for (const Case& c : cases) {
        ReadingCore core = coreWith(kBook);
        core.setChapters({static_cast<std::int32_t>(kBook.find(u"Gamma")),
                          static_cast<std::int32_t>(kBook.find(u"Delta"))});
        const std::int32_t from = entryOf(core, c.from);
        ASSERT_GE(from, 0) << c.label;
        core.moveTo(from);
        const bool moved = core.move(c.unit, c.forward);
        EXPECT_EQ(moved, c.to != nullptr) << c.label;
        EXPECT_EQ(wordsAt(core, {core.sh()}), wordsAt(core, {c.to ? entryOf(core, c.to) : from}))
            << c.label;
    }
    EXPECT_FALSE(coreWith(u"").move(Unit::Paragraph, true)) << "empty script";
}

TEST(Moves, SkippedEntriesAreNotReadAndTheChapterIsKnown) {
    ReadingCore core = coreWith(kBook);
    core.setChapters({static_cast<std::int32_t>(kBook.find(u"Gamma")),
                      static_cast<std::int32_t>(kBook.find(u"Delta"))});
    core.restartStatistics();
    ASSERT_TRUE(core.move(Unit::Chapter, true));
    EXPECT_EQ(core.statisticsTick().speed, 0);  // nothing read yet, however far it went
    EXPECT_EQ(core.chapterOf(core.sh()), 0);
    EXPECT_EQ(core.chapterOf(0), -1);
    EXPECT_EQ(wordsAt(core, {core.chapterEnd(core.sh())}), "Delta");
    EXPECT_EQ(core.chapterEnd(entryOf(core, u"Delta")), core.k1());
}

TEST(Moves, TheTimeLeftIsTheSumOfTheTicksOwnIntervals) {
    for (const bool learning : {false, true}) {
        std::u16string seen;
        ReadingCore core([&](const DisplayEntry& e) {
            const std::u16string word = joined(e);
            return seen.find(word) == std::u16string::npos ? (seen += word, 2) : 1;
        });
        core.resetScript();
        core.applySpeed(kSpeed);
        core.cut(kBook + u" Alpha, one; two: Alphabetically.", [] {});
        // What the tick would give, asked before it learns anything.
        std::u16string known;
        const auto factorOf = [&](const DisplayEntry& e) {
            if (!learning) return 1;
            const std::u16string word = joined(e);
            return known.find(word) == std::u16string::npos ? (known += word, 2) : 1;
        };
        const std::uint64_t estimate = core.displayMs(0, core.k1(), factorOf);
        std::uint64_t ticked = 0;
        for (PacingTick t = core.tick(learning);; t = core.tick(learning)) {
            ticked += t.interval;
            if (t.ends) break;
        }
        EXPECT_EQ(estimate, ticked) << (learning ? "learning" : "plain");
    }
}

}  // namespace
}  // namespace orvell
