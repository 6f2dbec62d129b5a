#include "history/reading_history.h"

#include <atomic>
#include <cstdio>
#include <functional>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "history/database.h"
#include "history/history_opening.h"
#include "history/history_queries.h"
#include "history/iso_time.h"
#include "storage/background_writer.h"
#include "storage/whole_file.h"

namespace orvell {

using history_db::Database;
using history_db::SqliteError;

struct ReadingHistory::Impl {
    using Write = std::function<void(Impl&)>;

    Impl(const std::filesystem::path& folder, int busy, FileSystem& files)
        : file(folder / kFileName), busyMs(busy), fs(files) {}

    void hand(Write write);
    void runWrites();
    void writeSitting(std::uint64_t token, const Sitting& sitting, bool ending);
    void reportOnce(const std::string& message);

    template <typename Result, typename Read>
    Result read(Read query) {
        if (!on) return {};
        try {
            return query(*reader);
        } catch (const SqliteError& e) {
            reportOnce("cannot read the reading history in " + shownPath(file) + ": " + e.what());
            return {};
        }
    }

    std::filesystem::path file;
    int busyMs;
    FileSystem& fs;
    bool on = false;
    std::uint64_t lastToken = 0;
    std::unique_ptr<Database> reader;  // the caller's thread
    std::unique_ptr<Database> writer;  // the writer thread's, once open
    std::mutex handedMutex;
    std::vector<Write> handed;
    std::unordered_map<std::uint64_t, std::int64_t> rows;  // of the sittings; the writer's
    std::atomic<bool> failureReported{false};             // one line on standard error is enough
    BackgroundWriter thread;                               // last, so it stops before the rest goes
};

ReadingHistory::ReadingHistory(const std::filesystem::path& folder,
                               std::chrono::milliseconds busyTimeout, FileSystem& fs)
    : impl_(std::make_unique<Impl>(folder, static_cast<int>(busyTimeout.count()), fs)) {}

ReadingHistory::~ReadingHistory() = default;

bool ReadingHistory::on() const { return impl_->on; }

HistoryOpening ReadingHistory::open() {
    Impl& h = *impl_;
    if (h.on) return {HistoryOpening::State::on, {}, {}};
    history_db::OpenedHistory opened = history_db::openHistoryFile(h.file, h.busyMs, h.fs);
    if (opened.opening.on()) {
        h.writer = std::move(opened.writer);
        h.reader = std::move(opened.reader);
        h.on = true;
    }
    return opened.opening;
}

void ReadingHistory::Impl::reportOnce(const std::string& message) {
    if (failureReported.exchange(true)) return;
    std::fprintf(stderr, "Orvell: %s.\n", message.c_str());
}

// The writer thread runs whatever has been handed over, in order. A job still waiting gives way
// to a later one, which runs all that is handed over by then.
void ReadingHistory::Impl::hand(Write write) {
    if (!on) return;
    {
        const std::lock_guard lock(handedMutex);
        handed.push_back(std::move(write));
    }
    thread.post([this] { runWrites(); });
}

void ReadingHistory::Impl::runWrites() {
    std::vector<Write> writes;
    {
        const std::lock_guard lock(handedMutex);
        writes.swap(handed);
    }
    for (const Write& write : writes) {
        try {
            history_db::Transaction transaction(*writer);
            write(*this);
            transaction.commit();
        } catch (const SqliteError& e) {
            reportOnce("reading history not saved in " + shownPath(file) + ": " + e.what());
        }
    }
}

void ReadingHistory::Impl::writeSitting(std::uint64_t token, const Sitting& sitting,
                                        bool ending) {
    const auto row = rows.find(token);
    // A sitting whose first write failed, or that a clear removed, is written anew.
    if (row == rows.end() || !history_db::updateSitting(*writer, row->second, sitting)) {
        history_db::insertSitting(*writer, sitting);
        rows[token] = writer->lastInsertId();
    }
    if (ending) rows.erase(token);
}

SittingToken ReadingHistory::beginSitting(const Sitting& sitting) {
    const SittingToken token{++impl_->lastToken};
    impl_->hand([token, sitting](Impl& h) { h.writeSitting(token.value, sitting, false); });
    return token;
}

void ReadingHistory::updateSitting(SittingToken token, const Sitting& sitting) {
    impl_->hand([token, sitting](Impl& h) { h.writeSitting(token.value, sitting, false); });
}

void ReadingHistory::endSitting(SittingToken token, const Sitting& sitting) {
    impl_->hand([token, sitting](Impl& h) { h.writeSitting(token.value, sitting, true); });
}

void ReadingHistory::rememberBook(const std::string& book, const std::string& title,
                                  const std::string& file, std::int64_t words) {
    impl_->hand([=](Impl& h) {
        h.writer
            ->prepare(
                "INSERT INTO books (book, title, file, words) VALUES (?1, ?2, ?3, ?4) "
                "ON CONFLICT (book) DO UPDATE SET title = ?2, file = ?3, words = ?4")
            .bind(1, book)
            .bind(2, title)
            .bind(3, file)
            .bind(4, words)
            .run();
    });
}

void ReadingHistory::markFinished(const std::string& book, std::chrono::sys_seconds at) {
    impl_->hand([=](Impl& h) {
        h.writer->prepare("INSERT INTO books (book, finished_at) VALUES (?1, ?2) "
                          "ON CONFLICT (book) DO UPDATE SET finished_at = ?2")
            .bind(1, book)
            .bind(2, isoTime(at))
            .run();
    });
}

void ReadingHistory::clear() {
    impl_->hand([](Impl& h) {
        h.writer->exec("DELETE FROM sittings; DELETE FROM books;");
        h.rows.clear();
    });
}

void ReadingHistory::waitForWrites() { impl_->thread.waitUntilIdle(); }

HistoryTotals ReadingHistory::totals() const {
    return impl_->read<HistoryTotals>(history_db::totals);
}

std::vector<DayWords> ReadingHistory::wordsPerDay(std::chrono::sys_seconds from,
                                                  std::chrono::sys_seconds to,
                                                  std::chrono::minutes utcOffset) const {
    return impl_->read<std::vector<DayWords>>(
        [&](Database& db) { return history_db::wordsPerDay(db, from, to, utcOffset); });
}

std::vector<Sitting> ReadingHistory::sittings(std::chrono::sys_seconds from,
                                              std::chrono::sys_seconds to) const {
    return impl_->read<std::vector<Sitting>>(
        [&](Database& db) { return history_db::sittings(db, from, to); });
}

std::vector<RootsPoint> ReadingHistory::rootsOverTime(std::chrono::sys_seconds from,
                                                      std::chrono::sys_seconds to) const {
    return impl_->read<std::vector<RootsPoint>>(
        [&](Database& db) { return history_db::rootsOverTime(db, from, to); });
}

std::vector<BookSummary> ReadingHistory::books() const {
    return impl_->read<std::vector<BookSummary>>(history_db::books);
}

std::string ReadingHistory::sittingsCsv() const {
    return impl_->read<std::string>(history_db::sittingsCsv);
}

}  // namespace orvell
