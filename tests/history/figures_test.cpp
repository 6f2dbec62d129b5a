// The figures the history window shows, read from what was logged: words per local day, totals,
// the books table, the vocabulary over time and the export.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "history/reading_history.h"
#include "tests/history/history_fixture.h"

namespace orvell {
namespace {

using namespace std::chrono;
using testing_support::at;
using testing_support::sittingOf;

class FiguresTest : public testing_support::HistoryTest {
  protected:
    void SetUp() override {
        HistoryTest::SetUp();
        history_ = std::make_unique<ReadingHistory>(testing_support::kHistoryFolder);
        openOrFail(*history_);
    }

    // The file is closed before its folder goes: Windows removes no open file.
    void TearDown() override {
        history_.reset();
        HistoryTest::TearDown();
    }

    void log(const std::vector<Sitting>& sittings) {
        for (const Sitting& s : sittings) history_->endSitting(history_->beginSitting(s), s);
        history_->waitForWrites();
    }

    std::unique_ptr<ReadingHistory> history_;
};

// A sitting counts in the local day it started, even when it runs past midnight.
TEST_F(FiguresTest, WordsPerDayFollowTheLocalDayOfEachStart) {
    log({
        sittingOf("2026-12-08T22:00:00Z", "2026-12-08T22:01:00Z", std::nullopt, 0, 7, 7),
        sittingOf("2026-12-09T23:30:00Z", "2026-12-10T00:20:00Z", std::nullopt, 0, 500, 500),
        sittingOf("2026-12-10T10:00:00Z", "2026-12-10T10:10:00Z", std::nullopt, 0, 300, 300),
        sittingOf("2026-12-10T21:30:00Z", "2026-12-10T21:40:00Z", std::nullopt, 0, 200, 200),
        sittingOf("2026-12-12T01:00:00Z", "2026-12-12T05:00:00Z", std::nullopt, 0, 9999, 9999),
    });
    const sys_seconds from = at("2026-12-09T12:00:00Z");
    const sys_seconds to = at("2026-12-11T12:00:00Z");
    const auto dec = [](unsigned d) { return year_month_day(year(2026), December, day(d)); };
    struct Case {
        const char* label;
        minutes offset;
        std::vector<std::int64_t> words;  // of 9, 10 and 11 December
    };
    const std::vector<Case> cases = {
        {"UTC", minutes(0), {500, 500, 0}},
        {"UTC+3: the late sittings move to the next day", hours(3), {7, 800, 200}},
        {"UTC-5: the days reach into 12 December UTC", hours(-5), {500, 500, 9999}},
        {"UTC+5:30", hours(5) + minutes(30), {7, 800, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::vector<DayWords> expected = {
            {dec(9), c.words[0]}, {dec(10), c.words[1]}, {dec(11), c.words[2]}};
        EXPECT_EQ(history_->wordsPerDay(from, to, c.offset), expected);
    }
}

TEST_F(FiguresTest, TotalsBooksAndRootsComeFromTheSittings) {
    const std::string novel(64, 'n');
    const std::string essay(64, 'e');
    history_->rememberBook(novel, "Роман", "/книги/роман.fb2", 10'000);
    history_->rememberBook(essay, "Essay", "essay.epub", 2'000);
    history_->rememberBook(std::string(64, 'u'), "Unread", "unread.txt", 100);
    log({
        sittingOf("2026-12-01T10:00:00Z", "2026-12-01T10:10:00Z", novel, 0, 2'999, 3'000, 100),
        sittingOf("2026-12-02T10:00:00Z", "2026-12-02T10:05:00Z", essay, 0, 2'000, 1'500, 130),
        // Stepped back: the farthest entry counts, not the last sitting's.
        sittingOf("2026-12-03T10:00:00Z", "2026-12-03T10:05:00Z", novel, 2'500, 2'700, 200, 135),
        sittingOf("2026-12-04T10:00:00Z", "2026-12-04T10:01:00Z", std::nullopt, 0, 50, 50, 140),
    });
    history_->markFinished(essay, at("2026-12-02T10:05:00Z"));
    history_->waitForWrites();

    EXPECT_EQ(history_->totals(), (HistoryTotals{950'000, 4'750, 4, 1, 140}));

    const std::vector<BookSummary> books = history_->books();
    ASSERT_EQ(books.size(), 3U);
    EXPECT_EQ(books[0].title, "Роман");  // read last
    EXPECT_EQ(books[0].file, "/книги/роман.fb2");
    EXPECT_EQ(books[0].lastRead, at("2026-12-03T10:05:00Z"));
    EXPECT_DOUBLE_EQ(books[0].percent, 30);
    EXPECT_EQ(books[0].activeMs, 3'200 * 200);
    EXPECT_DOUBLE_EQ(books[0].wordsPerMinute, 300);
    EXPECT_FALSE(books[0].finishedAt);
    EXPECT_EQ(books[1].title, "Essay");
    EXPECT_DOUBLE_EQ(books[1].percent, 100);
    EXPECT_EQ(books[1].finishedAt, at("2026-12-02T10:05:00Z"));
    EXPECT_EQ(books[2].title, "Unread");
    EXPECT_FALSE(books[2].lastRead);
    EXPECT_EQ(books[2].wordsPerMinute, 0);

    const std::vector<RootsPoint> roots =
        history_->rootsOverTime(at("2026-12-02T00:00:00Z"), at("2026-12-04T00:00:00Z"));
    EXPECT_EQ(roots, (std::vector<RootsPoint>{{at("2026-12-02T10:05:00Z"), 130},
                                              {at("2026-12-03T10:05:00Z"), 135}}));
}

TEST_F(FiguresTest, TheExportQuotesWhatCsvNeedsQuoted) {
    Sitting quoted = sittingOf("2026-12-10T15:00:00Z", "2026-12-10T15:01:10Z", std::string("b"),
                               0, 349, 320, 45);
    quoted.title = "«Война и мир», том \"1\"\r\nчасть 2";
    log({quoted, sittingOf("2026-12-10T16:00:00Z", "2026-12-10T16:00:30Z", std::nullopt, 3, 9, 6)});
    EXPECT_EQ(history_->sittingsCsv(),
              "id,started_at,ended_at,book,title,first_entry,last_entry,words,active_ms,speed,"
              "new_roots,roots_total\r\n"
              "1,2026-12-10T15:00:00Z,2026-12-10T15:01:10Z,b,\"«Война и мир», том \"\"1\"\"\r\n"
              "часть 2\",0,349,320,64000,300,0,45\r\n"
              "2,2026-12-10T16:00:00Z,2026-12-10T16:00:30Z,,Вставленный текст,3,9,6,1200,300,0,0"
              "\r\n");
}

}  // namespace
}  // namespace orvell
