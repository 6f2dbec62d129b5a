#pragma once

// A thin hold on SQLite's C interface for the history's own files: connections and statements
// that close themselves, and failures as exceptions carrying SQLite's result code.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace orvell::history_db {

class SqliteError : public std::runtime_error {
  public:
    SqliteError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
    // The primary result code (SQLITE_BUSY, SQLITE_CORRUPT...), without the extended bits.
    int code() const { return code_; }

  private:
    int code_;
};

class Statement {
  public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Parameters count from 1, as in SQLite.
    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, std::string_view text);
    // NULL when there is no text.
    Statement& bindOptional(int index, const std::optional<std::string>& text);
    // True while there is a row to read; false once the statement is done.
    bool step();
    // Runs a statement that returns no rows.
    void run();

    // Columns count from 0.
    std::int64_t integer(int column) const;
    std::optional<std::string> text(int column) const;

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

class Database {
  public:
    // Opens for reading and writing, creating the file when it is missing. A file the system
    // lets this program only read opens read-only; readOnly() tells.
    Database(const std::filesystem::path& file, int busyTimeoutMs);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const char* sql);
    // The same, for clearing up after a failure: false when it fails too.
    bool tryExec(const char* sql) noexcept;
    Statement prepare(std::string_view sql) { return {db_, sql}; }
    bool readOnly() const;
    std::int64_t lastInsertId() const;
    int changes() const;

  private:
    sqlite3* db_ = nullptr;
};

// BEGIN IMMEDIATE, which takes the write lock at once (waiting the busy timeout for it), and a
// rollback unless committed.
class Transaction {
  public:
    explicit Transaction(Database& db) : db_(db) { db_.exec("BEGIN IMMEDIATE"); }
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

  private:
    Database& db_;
    bool done_ = false;
};

}  // namespace orvell::history_db
