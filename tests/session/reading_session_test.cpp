// What the window asks of a reading: the time left, the chapter of an entry and the word a
// pause marks, on texts cut as the text box hands them over (lines end with a lone LF).

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "session/reading_session.h"

namespace orvell {
namespace {

constexpr int kSpeed = 3;  // 300 words per minute

// A word whose text starts with "N" has a new root.
int newWhenCapitalN(const DisplayEntry& e) {
    return (e.left + e.focus + e.right)[0] == u'N' ? 2 : 1;
}

void read(ReadingSession& session, const std::u16string& text,
          const std::vector<books::Chapter>& chapters = {}) {
    session.holdBook(text, chapters);
    session.begin(kSpeed);
    session.core().applySpeed(kSpeed);
    session.core().cut(
        text, [] {}, LineFeeds::AsCrLf);
}

std::int32_t entryOf(const ReadingSession& session, const std::u16string& word) {
    const ReadingCore& core = session.core();
    for (std::int32_t i = 0; i < core.k1(); ++i) {
        const std::optional<DisplayEntry> e = core.sarr().at(i);
        if (e && e->left + e->focus + e->right == word) return i;
    }
    ADD_FAILURE() << "no entry for the word";
    return 0;
}

std::string ascii(std::u16string_view s) { return {s.begin(), s.end()}; }

TEST(ReadingSession, MarksTheWordOfAPauseInTheTextBoxsPositions) {
    struct Case {
        const char* label;
        std::u16string text;
        std::u16string at;  // the entry the reading is at, as cut
        bool after;         // the reading is at the entry after it
        bool shown;
        const char* marked;  // "-": no mark
    };
    const std::vector<Case> cases = {
        {"the word shown", u"One two three", u"two", true, true, "two"},
        {"the word the reading goes on with", u"One two three", u"two", false, false, "two"},
        {"a word ending a line leaves out its break", u"One\ntwo", u"One\r", true, true, "One"},
        {"each line break counts one position", u"A\nbb\n\nccc\ndd", u"ccc\r", true, true, "ccc"},
        {"after an empty line", u"One\n\nTwo three", u"Two", false, false, "Two"},
        {"the word before the pauses that follow it", u"One. Two", u"One.", true, true, "One."},
        {"the word after the pauses before it", u"One. Two", u"One.", true, false, "Two"},
        {"a last word without a delimiter", u"One two", u"two", false, false, "two"},
        {"nothing shown yet", u"One two", u"One", false, true, "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ReadingSession session([](const DisplayEntry&) { return 1; });
        read(session, c.text);
        session.core().moveTo(entryOf(session, c.at) + (c.after ? 1 : 0));
        const auto size = static_cast<std::int32_t>(c.text.size());
        const std::optional<TextSpan> span = session.wordToMark(c.shown, size);
        const std::string marked = span ? ascii(std::u16string_view(c.text).substr(
                                              static_cast<std::size_t>(span->start),
                                              static_cast<std::size_t>(span->end - span->start)))
                                        : "-";
        EXPECT_EQ(marked, c.marked);
    }
}

TEST(ReadingSession, NamesTheChapterOfAnEntry) {
    const std::u16string text = u"Alpha beta\nGamma delta\nEpsilon";
    const std::vector<books::Chapter> twoLater = {{11, u"G"}, {23, u"E"}};
    struct Case {
        const char* label;
        std::vector<books::Chapter> chapters;
        std::u16string word;  // empty: the entry before the first, as before the first tick
        std::optional<int> index;
        const char* title;
    };
    const std::vector<Case> cases = {
        {"before the first chapter", twoLater, u"beta\r", -1, ""},
        {"before the first entry", twoLater, u"", -1, ""},
        {"at a chapter's first word", twoLater, u"Gamma", 0, "G"},
        {"at its last word", twoLater, u"delta\r", 0, "G"},
        {"in the last chapter", twoLater, u"Epsilon", 1, "E"},
        {"a chapter from the start", {{0, u"A"}, {23, u"E"}}, u"", 0, "A"},
        {"a text without chapters", {}, u"Gamma", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ReadingSession session([](const DisplayEntry&) { return 1; });
        read(session, text, c.chapters);
        const std::optional<ChapterAt> found =
            session.chapterAt(c.word.empty() ? -1 : entryOf(session, c.word));
        EXPECT_EQ(found.has_value(), c.index.has_value());
        const ChapterAt chapter = found.value_or(ChapterAt{});
        EXPECT_EQ(chapter.index, c.index.value_or(-1));
        EXPECT_EQ(ascii(chapter.title), c.title);
    }
}

TEST(ReadingSession, TellsTheTimeLeftInTheChapterAndTheBook) {
    const std::u16string text = u"New old New old\nNew old New old";
    const std::vector<books::Chapter> second = {{16, u"Second"}};
    struct Case {
        const char* label;
        std::vector<books::Chapter> chapters;
        int ticks;      // entries read before, with the learning mode's lookups
        bool learning;  // the learning mode is on when the time left is asked
        double factor;  // the time left against that of a plain reading
        bool chapterIsBook;
    };
    const std::vector<Case> cases = {
        {"one chapter: the book's time", {}, 2, false, 1.0, true},
        {"in a chapter before the last", second, 2, false, 1.0, false},
        {"in the last chapter", second, 8, false, 1.0, true},
        {"half the roots new: half as long again", second, 2, true, 1.5, false},
        {"every root new: twice as long", second, 1, true, 2.0, false},
        {"nothing looked up yet", second, 0, true, 1.0, false},
        {"new roots without the learning mode", second, 2, false, 1.0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ReadingSession session(newWhenCapitalN);
        read(session, text, c.chapters);
        for (int i = 0; i < c.ticks; ++i) session.core().tick(true);
        const TimeLeft plain = session.timeLeft(false).value_or(TimeLeft{});
        const TimeLeft left = session.timeLeft(c.learning).value_or(TimeLeft{});
        EXPECT_GT(plain.book, 0U);
        EXPECT_EQ(left.book,
                  static_cast<std::uint64_t>(static_cast<double>(plain.book) * c.factor));
        EXPECT_EQ(left.chapter,
                  static_cast<std::uint64_t>(static_cast<double>(plain.chapter) * c.factor));
        EXPECT_EQ(left.chapter == left.book, c.chapterIsBook);
    }
}

TEST(ReadingSession, TellsNoTimeLeftUntilTheTextIsCutAndCountsEachReadingsLookups) {
    ReadingSession session(newWhenCapitalN);
    EXPECT_FALSE(session.timeLeft(false));
    read(session, u"New old");
    session.core().tick(true);
    const auto bookLeft = [&](bool learning) {
        return session.timeLeft(learning).value_or(TimeLeft{}).book;
    };
    EXPECT_GT(bookLeft(false), 0U);
    EXPECT_EQ(bookLeft(true), 2 * bookLeft(false));

    session.begin(kSpeed);
    int cutSoFar = 0;
    session.core().cut(
        u"New old New", [&] { cutSoFar += session.timeLeft(false) ? 0 : 1; }, LineFeeds::AsCrLf);
    EXPECT_EQ(cutSoFar, 3);
    EXPECT_EQ(bookLeft(true), bookLeft(false));
}

}  // namespace
}  // namespace orvell
