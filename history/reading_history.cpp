#include "history/reading_history.h"

#include <sqlite3.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <mutex>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "history/database.h"
#include "history/history_queries.h"
#include "history/iso_time.h"
#include "history/schema.h"
#include "storage/background_writer.h"
#include "storage/file_error.h"
#include "storage/whole_file.h"

namespace orvell {

using history_db::Database;
using history_db::SqliteError;
using State = HistoryOpening::State;

struct ReadingHistory::Impl {
    using Write = std::function<void(Impl&)>;

    Impl(std::filesystem::path dir, int busy, FileSystem& files)
        : folder(std::move(dir)), file(folder / kFileName), busyMs(busy), fs(files) {}

    HistoryOpening openFile();
    HistoryOpening moveAside();
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

    std::filesystem::path folder;
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

namespace {

HistoryOpening off(State state, std::string problem, std::string shown) {
    return {state, std::move(problem), std::move(shown)};
}

// What a failure of SQLite at opening means for the user.
HistoryOpening offFor(const SqliteError& e, const std::filesystem::path& file) {
    const std::string name = shownPath(file);
    switch (e.code()) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return off(State::locked, name + " is locked by another program",
                   "История выключена: файл занят другой программой");
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return off(State::readOnly, name + " or its folder cannot be written (" + e.what() + ")",
                   "История выключена: файл или папка только для чтения");
    default:
        return off(State::failed, "cannot open " + name + ": " + e.what(),
                   "История выключена: файл истории не открывается");
    }
}

}  // namespace

ReadingHistory::ReadingHistory(std::filesystem::path folder, std::chrono::milliseconds busyTimeout,
                               FileSystem& fs)
    : impl_(std::make_unique<Impl>(std::move(folder), static_cast<int>(busyTimeout.count()), fs)) {}

ReadingHistory::~ReadingHistory() = default;

bool ReadingHistory::on() const { return impl_->on; }

HistoryOpening ReadingHistory::open() {
    Impl& h = *impl_;
    if (h.on) return {State::on, {}, {}};
    std::error_code error;
    std::filesystem::create_directories(h.folder, error);
    if (error) {
        return off(State::failed, "cannot make " + shownPath(h.folder) + ": " + error.message(),
                   "История выключена: не удаётся создать папку данных");
    }
    try {
        h.fs.checkWritable(h.file);
    } catch (const FileError& e) {
        return off(State::readOnly, shownPath(h.file) + " cannot be written: " + e.what(),
                   "История выключена: файл только для чтения");
    }
    try {
        return h.openFile();
    } catch (const SqliteError& e) {
        if (e.code() != SQLITE_CORRUPT && e.code() != SQLITE_NOTADB) return offFor(e, h.file);
    }
    return h.moveAside();
}

HistoryOpening ReadingHistory::Impl::openFile() {
    auto db = std::make_unique<Database>(file, busyMs);
    if (db->readOnly()) throw SqliteError(SQLITE_READONLY, "the system lets it only be read");
    // Read before anything is written: a newer program's file stays as it was, and a damaged
    // one fails here.
    const int version = history_db::schemaVersion(*db);
    const auto newer = [&](int found) {
        return off(State::newerVersion,
                   shownPath(file) + " is of a newer Orvell (version " + std::to_string(found) +
                       ", this one knows " + std::to_string(kSchemaVersion) + "); left as it is",
                   "История выключена: файл истории от более новой версии Orvell");
    };
    if (version > kSchemaVersion) return newer(version);
    // Readers never wait for the writer, and two programs can both log.
    db->exec("PRAGMA journal_mode = WAL");
    {
        history_db::Transaction transaction(*db);
        if (!history_db::prepareSchema(*db)) return newer(history_db::schemaVersion(*db));
        transaction.commit();
    }
    reader = std::make_unique<Database>(file, busyMs);
    writer = std::move(db);
    on = true;
    return {State::on, {}, {}};
}

// A damaged file is kept for whoever may want to save what is in it, under a name of its own,
// and a new history begins.
HistoryOpening ReadingHistory::Impl::moveAside() {
    const std::string day =
        isoTime(std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()))
            .substr(0, 10);
    std::filesystem::path aside = file;
    aside += ".damaged-" + day;
    for (int n = 2; std::filesystem::exists(aside); ++n) {
        aside = file;
        aside += ".damaged-" + day + "-" + std::to_string(n);
    }
    std::error_code error;
    std::filesystem::rename(file, aside, error);
    if (!error) {
        // The journal belongs to the damaged file; left here it would be read into the new one.
        std::filesystem::path wal = file;
        wal += "-wal";
        std::filesystem::path walAside = aside;
        walAside += "-wal";
        if (std::filesystem::exists(wal)) std::filesystem::rename(wal, walAside, error);
        std::filesystem::path shm = file;
        shm += "-shm";
        std::filesystem::remove(shm, error);
    }
    if (error) {
        return off(State::failed,
                   shownPath(file) + " is damaged and cannot be moved aside: " + error.message(),
                   "История выключена: файл истории повреждён");
    }
    HistoryOpening opening;
    try {
        opening = openFile();
    } catch (const SqliteError& e) {
        return offFor(e, file);
    }
    if (opening.state != State::on) return opening;
    return {State::startedAnew,
            shownPath(file) + " was damaged; it is kept as " + shownPath(aside.filename()) +
                " and a new history begins",
            "Файл истории был повреждён и сохранён как " + shownPath(aside.filename()) +
                "; история начата заново"};
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
