// The sittings a reading leaves in the history: what each one counts through pauses, moves,
// joined words, the autosave and the end, and the book it was of.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "books/book_identity.h"
#include "session/reading_session.h"
#include "tests/history/history_fixture.h"

namespace orvell {
namespace {

using namespace std::chrono_literals;
using testing_support::at;
using testing_support::HistoryTest;
using testing_support::kHistoryFolder;

constexpr int kSpeed = 3;  // 300 words per minute
// Two sentences: entries 0-2 "One two three.", 3-4 its pauses, 5-7 "Four five six."
const std::u16string kText = u"One two three. Four five six.";

// Every tick takes 200 ms of the steady clock; the wall clock runs with it.
class SittingsTest : public HistoryTest {
  protected:
    void SetUp() override {
        HistoryTest::SetUp();
        const auto base = at("2026-12-10T10:00:00Z");
        session_ = std::make_unique<ReadingSession>([](const DisplayEntry&) { return 1; },
                                                    [this] { return roots_; });
        session_->keepHistoryIn(kHistoryFolder,
                               {[this, base] {
                                    return base + std::chrono::floor<std::chrono::seconds>(
                                                      steady_ - std::chrono::steady_clock::time_point());
                                },
                                [this] { return steady_; }});
    }
    // The history's file is closed before its folder goes: Windows cannot remove an open file.
    void TearDown() override {
        session_.reset();
        HistoryTest::TearDown();
    }

    void start(int wordsPerFlash = 1) {
        session_->holdBook(kText, {}, std::filesystem::path(u"книги/Шесть.txt"));
        ReadingRules rules;
        rules.flash.words = wordsPerFlash;
        session_->setRules(rules);
        session_->begin(kSpeed);
        session_->core().applySpeed(kSpeed);
        session_->beginSitting();
        session_->core().cut(kText, [] {}, LineFeeds::AsCrLf);
        session_->cutFinished(true);
    }
    void tick(int times = 1) {
        for (int i = 0; i < times; ++i) {
            steady_ += 200ms;
            if (session_->tick(false).ends) session_->endSitting();
        }
    }

    std::chrono::steady_clock::time_point steady_{};
    std::int64_t roots_ = 10;
    std::unique_ptr<ReadingSession> session_;
};

TEST_F(SittingsTest, EachRunOfReadingIsOneSittingOfWhatItShowed) {
    struct Row {
        std::int64_t first, last, words, activeMs;
    };
    struct Case {
        const char* label;
        std::function<void()> run;
        std::vector<Row> sittings;
    };
    const std::vector<Case> cases = {
        {"read to its end: pauses shown count no words",
         [this] { start(), tick(9); },
         {{0, 7, 6, 1600}}},
        {"a pause and a resume make two sittings",
         [this] {
             start(), tick(2), session_->endSitting();
             steady_ += 1h;  // the pause is no reading
             session_->beginSitting(), tick(7);
         },
         {{0, 1, 2, 400}, {2, 7, 4, 1200}}},
        {"entries passed over by a move count nothing",
         [this] {
             start(), tick(1);
             session_->core().move(Unit::Sentence, true);
             tick(4);
         },
         {{0, 7, 4, 800}}},
        {"joined words count each word",
         [this] { start(3), tick(6); },
         {{0, 7, 6, 1200}}},
        {"an edit or the exit ends a sitting in progress",
         [this] { start(), tick(3), session_->endSitting(); },
         {{0, 2, 3, 600}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ReadingHistory& history = session_->history();
        history.clear();
        c.run();
        history.waitForWrites();
        const std::vector<Sitting> kept = allSittings(history);
        ASSERT_EQ(kept.size(), c.sittings.size());
        for (std::size_t i = 0; i < kept.size(); ++i) {
            EXPECT_EQ(kept[i].firstEntry, c.sittings[i].first);
            EXPECT_EQ(kept[i].lastEntry, c.sittings[i].last);
            EXPECT_EQ(kept[i].words, c.sittings[i].words);
            EXPECT_EQ(kept[i].activeMs, c.sittings[i].activeMs);
            EXPECT_EQ(kept[i].speed, 300);
            EXPECT_EQ(kept[i].book, books::bookIdentity(kText));
            EXPECT_EQ(kept[i].title, "Шесть.txt");
        }
    }
}

TEST_F(SittingsTest, TheAutosaveKeepsTheSittingSoFarAndTheEndFinishesTheBook) {
    start();
    tick(2);
    roots_ = 12;
    session_->keepSitting();
    session_->history().waitForWrites();
    std::vector<Sitting> kept = allSittings(session_->history());
    ASSERT_EQ(kept.size(), 1U);
    EXPECT_EQ(kept[0].words, 2);
    EXPECT_EQ(kept[0].newRoots, 2);
    EXPECT_EQ(kept[0].rootsTotal, 12);
    EXPECT_EQ(kept[0].endedAt, at("2026-12-10T10:00:00Z"));  // 400 ms in, to the second

    tick(6);
    EXPECT_EQ(session_->readingTally(), (ReadingTally{6, 1600}));
    session_->history().waitForWrites();
    kept = allSittings(session_->history());
    ASSERT_EQ(kept.size(), 1U);
    EXPECT_EQ(kept[0].words, 6);
    const std::vector<BookSummary> books = session_->history().books();
    ASSERT_EQ(books.size(), 1U);
    EXPECT_EQ(books[0].file, "книги/Шесть.txt");
    EXPECT_DOUBLE_EQ(books[0].percent, 100.0);
    EXPECT_TRUE(books[0].finishedAt.has_value());
}

}  // namespace
}  // namespace orvell
