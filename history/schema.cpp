#include "history/schema.h"

#include "history/reading_history.h"

namespace orvell::history_db {

namespace {

// Version 2, whole. sittings.book names a row of books, which a sitting's first write makes
// when the book has not been remembered yet.
constexpr const char* kCreate = R"(
CREATE TABLE books (
    book TEXT PRIMARY KEY,
    title TEXT NOT NULL DEFAULT '',
    file TEXT NOT NULL DEFAULT '',
    words INTEGER NOT NULL DEFAULT 0,
    finished_at TEXT
);
CREATE TABLE sittings (
    id INTEGER PRIMARY KEY,
    started_at TEXT NOT NULL,
    ended_at TEXT NOT NULL,
    book TEXT REFERENCES books(book),
    title TEXT NOT NULL DEFAULT '',
    first_entry INTEGER NOT NULL DEFAULT 0,
    last_entry INTEGER NOT NULL DEFAULT 0,
    words INTEGER NOT NULL DEFAULT 0,
    active_ms INTEGER NOT NULL DEFAULT 0,
    speed INTEGER NOT NULL DEFAULT 0,
    new_roots INTEGER NOT NULL DEFAULT 0,
    roots_total INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX sittings_by_start ON sittings(started_at);
CREATE INDEX sittings_by_book ON sittings(book);
CREATE INDEX sittings_by_end ON sittings(ended_at);
PRAGMA user_version = 2;
)";

// Version 1 kept neither the vocabulary's size nor when a book was finished; its sittings get
// a size of 0, which the figures read as not known.
constexpr const char* kFromVersion1 = R"(
ALTER TABLE sittings ADD COLUMN roots_total INTEGER NOT NULL DEFAULT 0;
ALTER TABLE books ADD COLUMN finished_at TEXT;
CREATE INDEX sittings_by_end ON sittings(ended_at);
PRAGMA user_version = 2;
)";

}  // namespace

int schemaVersion(Database& db) {
    Statement version = db.prepare("PRAGMA user_version");
    return version.step() ? static_cast<int>(version.integer(0)) : 0;
}

bool prepareSchema(Database& db) {
    static_assert(ReadingHistory::kSchemaVersion == 2, "add the upgrade to the new version");
    switch (schemaVersion(db)) {
    case 0: db.exec(kCreate); return true;
    case 1: db.exec(kFromVersion1); return true;
    case 2: return true;
    default: return false;
    }
}

}  // namespace orvell::history_db
