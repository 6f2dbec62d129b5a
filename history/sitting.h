#pragma once

// What the reading history holds and gives back. A sitting is a run of reading from a start or
// a resume to the next pause, end, edit or close.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace orvell {

struct Sitting {
    std::chrono::sys_seconds startedAt{};
    std::chrono::sys_seconds endedAt{};
    std::optional<std::string> book;  // the book's identity; none for pasted text
    std::string title;
    std::int64_t firstEntry = 0;
    std::int64_t lastEntry = 0;
    std::int64_t words = 0;     // words shown; pauses and entries skipped by moves not counted
    std::int64_t activeMs = 0;  // time reading, pauses not counted
    std::int64_t speed = 0;     // the chosen words per minute
    std::int64_t newRoots = 0;
    std::int64_t rootsTotal = 0;  // the vocabulary's size at the end

    bool operator==(const Sitting&) const = default;
};

struct HistoryTotals {
    std::int64_t activeMs = 0;
    std::int64_t words = 0;
    std::int64_t sittings = 0;
    std::int64_t booksFinished = 0;
    std::int64_t rootsKnown = 0;  // the roots total of the sitting that ended last

    bool operator==(const HistoryTotals&) const = default;
};

// The words of the sittings that started on one local day.
struct DayWords {
    std::chrono::year_month_day day{};
    std::int64_t words = 0;

    bool operator==(const DayWords&) const = default;
};

struct RootsPoint {
    std::chrono::sys_seconds at{};  // the sitting's end
    std::int64_t roots = 0;

    bool operator==(const RootsPoint&) const = default;
};

struct BookSummary {
    std::string book;  // identity
    std::string title;
    std::string file;
    std::optional<std::chrono::sys_seconds> lastRead;  // none when never read
    std::optional<std::chrono::sys_seconds> finishedAt;
    double percent = 0;  // the entries up to the farthest reached, of the book's; at most 100
    std::int64_t activeMs = 0;
    double wordsPerMinute = 0;  // words read per minute of reading; 0 when none
};

}  // namespace orvell
