#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "history/sitting.h"
#include "storage/file_system.h"

namespace orvell {

// Whether the history is kept, and what to tell when it is not, or when it had to start anew.
struct HistoryOpening {
    enum class State {
        on,
        startedAnew,  // on: the file was damaged and is kept beside it under another name
        locked,       // another program held the file beyond the busy timeout
        readOnly,     // the file or its folder may not be written
        newerVersion,  // written by a newer Orvell; left untouched
        failed,        // anything else: the folder cannot be made, the disk fails...
    };
    State state = State::failed;
    std::string problem;  // English, for standard error; empty when on
    std::string shown;    // one Russian line for the window; empty when on

    bool on() const { return state == State::on || state == State::startedAnew; }
};

// Identifies a sitting between its begin and its end.
struct SittingToken {
    std::uint64_t value = 0;
};

// The reading history, in history.sqlite in the folder given (for the window, the user's data
// folder). The writes run on a thread of their own, each one transaction, in the order called;
// the reads run on the caller's thread and see what has been written. The caller is one thread.
// Two programs may keep one history: each waits up to the busy timeout for the other's write.
// Until open() turns the history on, and after it fails, writes are dropped and reads give
// nothing. A write that fails is lost, with one line on standard error.
class ReadingHistory {
  public:
    static constexpr const char* kFileName = "history.sqlite";
    static constexpr int kSchemaVersion = 2;

    explicit ReadingHistory(const std::filesystem::path& folder,
                            std::chrono::milliseconds busyTimeout = std::chrono::milliseconds(2000),
                            FileSystem& fs = systemFileSystem());
    // Waits for the writes handed over.
    ~ReadingHistory();
    ReadingHistory(const ReadingHistory&) = delete;
    ReadingHistory& operator=(const ReadingHistory&) = delete;

    // Makes the folder and the file if need be, and brings an older file up to this version.
    HistoryOpening open();
    bool on() const;

    SittingToken beginSitting(const Sitting& sitting);
    // The sitting so far; called by the autosave, so that a crash loses little of it.
    void updateSitting(SittingToken token, const Sitting& sitting);
    void endSitting(SittingToken token, const Sitting& sitting);
    void rememberBook(const std::string& book, const std::string& title, const std::string& file,
                      std::int64_t words);
    void markFinished(const std::string& book, std::chrono::sys_seconds at);
    // Removes every sitting and book.
    void clear();
    // Returns once every write handed over so far is done, or has failed.
    void waitForWrites();

    HistoryTotals totals() const;
    // The words of each local day, at `utcOffset` from UTC, from the day holding `from` to the
    // day holding `to`, days without reading included. A sitting counts in the day it started.
    std::vector<DayWords> wordsPerDay(std::chrono::sys_seconds from, std::chrono::sys_seconds to,
                                      std::chrono::minutes utcOffset) const;
    // The sittings started in [from, to), in the order they started.
    std::vector<Sitting> sittings(std::chrono::sys_seconds from, std::chrono::sys_seconds to) const;
    // The vocabulary's size at the end of each sitting ended in [from, to), in time order; a
    // sitting that does not know it (from version 1) is left out.
    std::vector<RootsPoint> rootsOverTime(std::chrono::sys_seconds from,
                                          std::chrono::sys_seconds to) const;
    // The books remembered, the one read last first.
    std::vector<BookSummary> books() const;
    // Every sitting as CSV (RFC 4180, UTF-8, CR LF line ends), a header line first.
    std::string sittingsCsv() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace orvell
