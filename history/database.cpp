#include "history/database.h"

#include <sqlite3.h>

#include "storage/whole_file.h"

namespace orvell::history_db {

namespace {

[[noreturn]] void fail(sqlite3* db, int code) {
    throw SqliteError(code & 0xff, db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code));
}

}  // namespace

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    const int code =
        sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (code != SQLITE_OK) fail(db_, code);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::bind(int index, std::int64_t value) {
    const int code = sqlite3_bind_int64(stmt_, index, value);
    if (code != SQLITE_OK) fail(db_, code);
    return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
    const int code = sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT,
                                         SQLITE_UTF8);
    if (code != SQLITE_OK) fail(db_, code);
    return *this;
}

Statement& Statement::bindOptional(int index, const std::optional<std::string>& text) {
    if (text) return bind(index, std::string_view(*text));
    const int code = sqlite3_bind_null(stmt_, index);
    if (code != SQLITE_OK) fail(db_, code);
    return *this;
}

bool Statement::step() {
    const int code = sqlite3_step(stmt_);
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    fail(db_, code);
}

void Statement::run() {
    while (step()) {
    }
}

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

std::optional<std::string> Statement::text(int column) const {
    if (sqlite3_column_type(stmt_, column) == SQLITE_NULL) return std::nullopt;
    const unsigned char* bytes = sqlite3_column_text(stmt_, column);
    const int size = sqlite3_column_bytes(stmt_, column);
    // SQLite hands text out as unsigned bytes; std::string holds the same bytes as char.
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast)
    return std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
}

// SQLite takes file names in UTF-8, and forward slashes on Windows too.
Database::Database(const std::filesystem::path& file, int busyTimeoutMs) {
    const int code = sqlite3_open_v2(shownPath(file).c_str(), &db_,
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (code != SQLITE_OK) {
        const SqliteError error(code & 0xff, sqlite3_errstr(code));
        sqlite3_close_v2(db_);
        throw error;
    }
    sqlite3_extended_result_codes(db_, 0);
    sqlite3_busy_timeout(db_, busyTimeoutMs);
}

// A statement outliving its connection keeps it open until the statement goes.
Database::~Database() { sqlite3_close_v2(db_); }

void Database::exec(const char* sql) {
    const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) fail(db_, code);
}

bool Database::tryExec(const char* sql) noexcept {
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool Database::readOnly() const { return sqlite3_db_readonly(db_, "main") == 1; }

std::int64_t Database::lastInsertId() const { return sqlite3_last_insert_rowid(db_); }

int Database::changes() const { return sqlite3_changes(db_); }

// SQLite may have rolled back already, as after SQLITE_FULL; then nothing is left to undo.
Transaction::~Transaction() {
    if (!done_) db_.tryExec("ROLLBACK");
}

void Transaction::commit() {
    db_.exec("COMMIT");
    done_ = true;
}

}  // namespace orvell::history_db
