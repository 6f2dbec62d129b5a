#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "books/book_text.h"
#include "engine/reading_core.h"
#include "history/reading_history.h"
#include "session/sitting_log.h"

namespace orvell {

class PlacesFile;
struct ReadingPlace;

// How long the rest of the reading takes at the current speed, in ms.
struct TimeLeft {
    std::uint64_t chapter = 0;  // to the end of the chapter the reading is in
    std::uint64_t book = 0;     // to the end of the text
};

// A run [start, end) of the text, in the script's positions.
struct TextSpan {
    std::int32_t start = 0;
    std::int32_t end = 0;

    bool operator==(const TextSpan&) const = default;
};

// Where the next start of the book resumes: a step back before this entry of a script that
// ends at lastEntry.
struct ResumeHint {
    std::int32_t position = 0;
    std::int32_t lastEntry = 0;

    bool operator==(const ResumeHint&) const = default;
};

// The chapter that holds an entry: an index into the reading's chapters with its title, or -1
// (and no title) before the first one.
struct ChapterAt {
    int index = -1;
    std::u16string_view title;
};

// The reading of the text box's text: the reading core; the book the text box holds, known by
// its text, with its chapters; the places where books were left, resumed at their next start;
// the lookups of this reading, from which the time left counts the new roots to come; and the
// history of the sittings.
class ReadingSession {
  public:
    // How many roots the vocabulary knows, for the history.
    using RootsKnown = std::function<std::int64_t()>;

    explicit ReadingSession(LearningLookup lookup, RootsKnown rootsKnown = [] { return 0; });
    ReadingSession(const ReadingSession&) = delete;
    ReadingSession& operator=(const ReadingSession&) = delete;
    ReadingSession(ReadingSession&&) = delete;
    ReadingSession& operator=(ReadingSession&&) = delete;
    ~ReadingSession();

    ReadingCore& core() { return core_; }

    // The rules of the reading, a running one included, from the next tick on.
    void setRules(const ReadingRules& rules) { core_.setRules(rules); }
    // One pacing tick. With the speed in words per minute the base interval is fitted first,
    // new roots counted at their share so far in this reading.
    PacingTick tick(bool learning);
    const ReadingCore& core() const { return core_; }

    // The places are kept in places.txt in `folder`; until then only in memory.
    void keepPlacesIn(const std::filesystem::path& folder);
    // Returns once every place remembered and every sitting told so far is on the disk, or has
    // failed.
    void waitForSaves();

    // The text box now holds the book with this text and these chapters, opened from `file`.
    void holdBook(std::u16string_view text, std::vector<books::Chapter> chapters,
                  const std::filesystem::path& file = {});
    // The text box was edited: it holds no book.
    void dropBook();

    // A new reading of the text box's text, with the chapters of its book: an empty script
    // from a step back (at the speed list's item) before the book's place, else from entry 0,
    // and no lookups counted yet. The reading is from then on the reading of that book, or of
    // none.
    void begin(int speedIndex);
    // The cutting has finished; a reading that is not running remembers its place now.
    void cutFinished(bool running);
    // The reading's book was left at `position` (0: read to its end, so the next start begins
    // at the first entry).
    void rememberPlace(std::int32_t position);
    // The next start of the book the text box holds begins at its first entry.
    void startOver();
    // Nothing when the next start begins at the first entry.
    std::optional<ResumeHint> resumeHint() const;

    // Nothing while the script is empty or still being cut. learning: the learning mode is on.
    std::optional<TimeLeft> timeLeft(bool learning) const;

    // The chapter that holds `entry`; nothing for a text without chapters.
    std::optional<ChapterAt> chapterAt(std::int32_t entry) const;

    // In a pause, the word to mark in a text of `textSize` units: the word of the entry last
    // shown, or when `shown` is false the one the reading goes on with; a pause is no word, so
    // the mark goes to the word before it or after it. The span leaves out the line break
    // ending the word. Nothing when there is no such word.
    std::optional<TextSpan> wordToMark(bool shown, std::int32_t textSize) const;

    // The history is kept in history.sqlite in `folder`; until then it keeps nothing.
    HistoryOpening keepHistoryIn(const std::filesystem::path& folder,
                                 SittingClocks clocks = SittingClocks::system());
    ReadingHistory& history() { return *history_; }
    // A sitting begins at a start or a resume, and ends at a pause, the end, an edit or the
    // exit; the autosave keeps the one in progress. The ticks count what it shows.
    void beginSitting();
    void keepSitting();
    void endSitting();
    // What the reading begun last has added up to.
    ReadingTally readingTally() const { return sittings_->tally(); }

  private:
    // The share of this reading's lookups that found a new root.
    double newRootShare() const;
    // Where a start begins, and the reading's book from then on.
    std::int32_t startEntry(int speedIndex);
    // The place of the held book when its next start resumes it.
    const ReadingPlace* resumablePlace() const;
    // The reading's book, its file and its length, for the history's table of books.
    void rememberBookInHistory();
    // The reading came to its end: a book's is finished.
    void bookFinished();

    // Lookups of this reading, and how many found a new root.
    std::int64_t looked_ = 0;
    std::int64_t learnedNew_ = 0;
    ReadingCore core_;
    std::vector<std::u16string> chapterTitles_;  // of the reading's chapters

    std::unique_ptr<PlacesFile> places_;
    std::string heldBook_;  // identity of the book in the text box; empty: none
    std::vector<books::Chapter> heldChapters_;
    std::string readingBook_;          // identity of the book the script was cut from
    std::filesystem::path heldFile_;   // the file of the book in the text box
    std::filesystem::path readingFile_;  // of the book the script was cut from
    std::int32_t resumedEntries_ = 0;  // entries of the place the reading resumed from

    RootsKnown rootsKnown_;
    std::unique_ptr<ReadingHistory> history_;
    std::unique_ptr<SittingLog> sittings_;
};

}  // namespace orvell
