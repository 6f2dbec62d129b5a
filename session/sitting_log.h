#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

#include "history/reading_history.h"

namespace orvell {

// The clocks a sitting is timed by: the wall clock says when it began and ended, the steady
// clock how long it ran, whatever the wall clock does meanwhile.
struct SittingClocks {
    std::function<std::chrono::sys_seconds()> wall;
    std::function<std::chrono::steady_clock::time_point()> steady;

    static SittingClocks system();
};

// What a reading has added up to over its sittings, from its start on.
struct ReadingTally {
    std::int64_t words = 0;
    std::int64_t activeMs = 0;

    bool operator==(const ReadingTally&) const = default;
};

// The sitting in progress, kept in the history as it goes: written when it begins, brought up
// to date when asked (the autosave) and when it ends.
class SittingLog {
  public:
    explicit SittingLog(ReadingHistory& history, SittingClocks clocks = SittingClocks::system());

    // A new reading: the tally starts from nothing.
    void startReading() { tally_ = {}; }
    // A start or a resume. `sitting` gives the book, the title, the speed and the roots known;
    // the times, entries and counts are the log's. A sitting still open is ended first.
    void begin(Sitting sitting);
    // A tick showed `words` words from `entry` on; a pause or a line break shows none.
    void shown(std::int32_t entry, int words);
    // The sitting so far, written as it stands; nothing when none is open.
    void keep(std::int64_t speed, std::int64_t rootsTotal);
    // Ends the sitting open, if any.
    void end(std::int64_t speed, std::int64_t rootsTotal);
    bool open() const { return sitting_.has_value(); }
    // The reading's sittings so far, the open one included.
    ReadingTally tally() const;

  private:
    // The open sitting brought up to now.
    Sitting current(const Sitting& open, std::int64_t speed, std::int64_t rootsTotal) const;

    ReadingHistory* history_;
    SittingClocks clocks_;
    std::optional<Sitting> sitting_;
    SittingToken token_;
    std::chrono::steady_clock::time_point began_;
    std::int64_t rootsAtBegin_ = 0;
    bool anyShown_ = false;
    ReadingTally tally_;  // of the sittings ended since the reading started
};

}  // namespace orvell
