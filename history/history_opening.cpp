#include "history/history_opening.h"

#include <sqlite3.h>

#include <chrono>
#include <string>
#include <system_error>
#include <utility>

#include "history/iso_time.h"
#include "history/schema.h"
#include "storage/file_error.h"
#include "storage/whole_file.h"

namespace orvell::history_db {

namespace {

using State = HistoryOpening::State;

OpenedHistory off(State state, std::string problem, std::string shown) {
    return {{state, std::move(problem), std::move(shown)}, nullptr, nullptr};
}

// What a failure of SQLite at opening means for the user.
OpenedHistory offFor(const SqliteError& e, const std::filesystem::path& file) {
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

OpenedHistory newer(const std::filesystem::path& file, int version) {
    return off(State::newerVersion,
               shownPath(file) + " is of a newer Orvell (version " + std::to_string(version) +
                   ", this one knows " + std::to_string(ReadingHistory::kSchemaVersion) +
                   "); left as it is",
               "История выключена: файл истории от более новой версии Orvell");
}

// Throws SqliteError.
OpenedHistory openFile(const std::filesystem::path& file, int busyTimeoutMs) {
    auto writer = std::make_unique<Database>(file, busyTimeoutMs);
    if (writer->readOnly()) throw SqliteError(SQLITE_READONLY, "the system lets it only be read");
    // Read before anything is written: a newer program's file stays as it was, and a damaged
    // one fails here.
    const int version = schemaVersion(*writer);
    if (version > ReadingHistory::kSchemaVersion) return newer(file, version);
    // Readers never wait for the writer, and two programs can both log.
    writer->exec("PRAGMA journal_mode = WAL");
    {
        Transaction transaction(*writer);
        if (!prepareSchema(*writer)) return newer(file, schemaVersion(*writer));
        transaction.commit();
    }
    auto reader = std::make_unique<Database>(file, busyTimeoutMs);
    return {{State::on, {}, {}}, std::move(writer), std::move(reader)};
}

std::filesystem::path withSuffix(std::filesystem::path file, const std::string& suffix) {
    file += suffix;
    return file;
}

// A damaged file is kept for whoever may want to save what is in it, under a name of its own
// that no earlier damaged file has, and a new history begins.
OpenedHistory moveAside(const std::filesystem::path& file, int busyTimeoutMs) {
    const std::string day =
        isoTime(std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()))
            .substr(0, 10);
    std::filesystem::path aside = withSuffix(file, ".damaged-" + day);
    for (int n = 2; std::filesystem::exists(aside); ++n) {
        aside = withSuffix(file, ".damaged-" + day + "-" + std::to_string(n));
    }
    std::error_code error;
    std::filesystem::rename(file, aside, error);
    // The journal belongs to the damaged file; left here it would be read into the new one.
    const std::filesystem::path wal = withSuffix(file, "-wal");
    if (!error && std::filesystem::exists(wal)) {
        std::filesystem::rename(wal, withSuffix(aside, "-wal"), error);
    }
    if (error) {
        return off(State::failed,
                   shownPath(file) + " is damaged and cannot be moved aside: " + error.message(),
                   "История выключена: файл истории повреждён");
    }
    // The shared-memory index is rebuilt from the journal; the new file needs none of it.
    std::filesystem::remove(withSuffix(file, "-shm"), error);

    OpenedHistory opened;
    try {
        opened = openFile(file, busyTimeoutMs);
    } catch (const SqliteError& e) {
        return offFor(e, file);
    }
    if (opened.opening.state != State::on) return opened;
    const std::string name = shownPath(aside.filename());
    opened.opening = {State::startedAnew,
                      shownPath(file) + " was damaged; it is kept as " + name +
                          " and a new history begins",
                      "Файл истории был повреждён и сохранён как " + name +
                          "; история начата заново"};
    return opened;
}

}  // namespace

OpenedHistory openHistoryFile(const std::filesystem::path& file, int busyTimeoutMs,
                              FileSystem& fs) {
    std::error_code error;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
    if (error) {
        return off(State::failed,
                   "cannot make " + shownPath(file.parent_path()) + ": " + error.message(),
                   "История выключена: не удаётся создать папку данных");
    }
    try {
        fs.checkWritable(file);
    } catch (const FileError& e) {
        return off(State::readOnly, shownPath(file) + " cannot be written: " + e.what(),
                   "История выключена: файл только для чтения");
    }
    try {
        return openFile(file, busyTimeoutMs);
    } catch (const SqliteError& e) {
        if (e.code() != SQLITE_CORRUPT && e.code() != SQLITE_NOTADB) return offFor(e, file);
    }
    return moveAside(file, busyTimeoutMs);
}

}  // namespace orvell::history_db
