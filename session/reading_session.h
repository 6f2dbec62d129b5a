#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "books/book_text.h"
#include "engine/reading_core.h"

namespace orvell {

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

// The chapter that holds an entry: an index into the reading's chapters with its title, or -1
// (and no title) before the first one.
struct ChapterAt {
    int index = -1;
    std::u16string_view title;
};

// The reading of one text: the reading core, the chapters of the text it was cut from, and the
// lookups of this reading, from which the time left counts the new roots still to come.
class ReadingSession {
  public:
    explicit ReadingSession(LearningLookup lookup);
    ReadingSession(const ReadingSession&) = delete;
    ReadingSession& operator=(const ReadingSession&) = delete;
    ReadingSession(ReadingSession&&) = delete;
    ReadingSession& operator=(ReadingSession&&) = delete;
    ~ReadingSession() = default;

    ReadingCore& core() { return core_; }
    const ReadingCore& core() const { return core_; }

    // A new reading of a text with these chapters: an empty script from startEntry, and no
    // lookups counted yet.
    void begin(std::int32_t startEntry, const std::vector<books::Chapter>& chapters);

    // Nothing while the script is empty or still being cut. learning: the learning mode is on.
    std::optional<TimeLeft> timeLeft(bool learning) const;

    // The chapter that holds `entry`; nothing for a text without chapters.
    std::optional<ChapterAt> chapterAt(std::int32_t entry) const;

    // In a pause, the word to mark in a text of `textSize` units: the word of the entry last
    // shown, or when `shown` is false the one the reading goes on with; a pause is no word, so
    // the mark goes to the word before it or after it. The span leaves out the line break
    // ending the word. Nothing when there is no such word.
    std::optional<TextSpan> wordToMark(bool shown, std::int32_t textSize) const;

  private:
    // Lookups of this reading, and how many found a new root.
    std::int64_t looked_ = 0;
    std::int64_t learnedNew_ = 0;
    ReadingCore core_;
    std::vector<std::u16string> chapterTitles_;
};

}  // namespace orvell
