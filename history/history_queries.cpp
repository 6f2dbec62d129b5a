#include "history/history_queries.h"

#include <algorithm>
#include <map>

#include "history/csv.h"
#include "history/iso_time.h"

namespace orvell::history_db {

namespace {

using std::chrono::sys_seconds;

constexpr const char* kSittingColumns =
    "started_at, ended_at, book, title, first_entry, last_entry, words, active_ms, speed, "
    "new_roots, roots_total";

// Binds a sitting's fields to parameters 1 to 11, in kSittingColumns' order.
void bindSitting(Statement& statement, const Sitting& s) {
    statement.bind(1, isoTime(s.startedAt))
        .bind(2, isoTime(s.endedAt))
        .bindOptional(3, s.book)
        .bind(4, s.title)
        .bind(5, s.firstEntry)
        .bind(6, s.lastEntry)
        .bind(7, s.words)
        .bind(8, s.activeMs)
        .bind(9, s.speed)
        .bind(10, s.newRoots)
        .bind(11, s.rootsTotal);
}

// A time another program, or a hand, wrote wrongly reads as the epoch rather than failing the
// whole figure.
sys_seconds timeIn(const Statement& statement, int column) {
    const std::optional<std::string> text = statement.text(column);
    return text ? parseIsoTime(*text).value_or(sys_seconds{}) : sys_seconds{};
}

std::optional<sys_seconds> optionalTimeIn(const Statement& statement, int column) {
    const std::optional<std::string> text = statement.text(column);
    return text ? parseIsoTime(*text) : std::nullopt;
}

// The sitting in columns `first` on, in kSittingColumns' order.
Sitting sittingIn(const Statement& statement, int first) {
    Sitting s;
    s.startedAt = timeIn(statement, first);
    s.endedAt = timeIn(statement, first + 1);
    s.book = statement.text(first + 2);
    s.title = statement.text(first + 3).value_or("");
    s.firstEntry = statement.integer(first + 4);
    s.lastEntry = statement.integer(first + 5);
    s.words = statement.integer(first + 6);
    s.activeMs = statement.integer(first + 7);
    s.speed = statement.integer(first + 8);
    s.newRoots = statement.integer(first + 9);
    s.rootsTotal = statement.integer(first + 10);
    return s;
}

}  // namespace

void insertSitting(Database& db, const Sitting& sitting) {
    if (sitting.book) {
        db.prepare("INSERT OR IGNORE INTO books (book, title) VALUES (?1, ?2)")
            .bind(1, *sitting.book)
            .bind(2, sitting.title)
            .run();
    }
    Statement insert = db.prepare(std::string("INSERT INTO sittings (") + kSittingColumns +
                                  ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
    bindSitting(insert, sitting);
    insert.run();
}

bool updateSitting(Database& db, std::int64_t id, const Sitting& sitting) {
    Statement update = db.prepare(
        "UPDATE sittings SET started_at = ?1, ended_at = ?2, book = ?3, title = ?4, "
        "first_entry = ?5, last_entry = ?6, words = ?7, active_ms = ?8, speed = ?9, "
        "new_roots = ?10, roots_total = ?11 WHERE id = ?12");
    bindSitting(update, sitting);
    update.bind(12, id).run();
    return db.changes() > 0;
}

HistoryTotals totals(Database& db) {
    Statement sums = db.prepare(
        "SELECT COALESCE(SUM(active_ms), 0), COALESCE(SUM(words), 0), COUNT(*), "
        "(SELECT COUNT(*) FROM books WHERE finished_at IS NOT NULL), "
        "COALESCE((SELECT roots_total FROM sittings ORDER BY ended_at DESC, id DESC LIMIT 1), 0) "
        "FROM sittings");
    HistoryTotals t;
    if (sums.step()) {
        t = {sums.integer(0), sums.integer(1), sums.integer(2), sums.integer(3), sums.integer(4)};
    }
    return t;
}

std::vector<DayWords> wordsPerDay(Database& db, sys_seconds from, sys_seconds to,
                                  std::chrono::minutes utcOffset) {
    using namespace std::chrono;
    const sys_days firstDay = floor<days>(from + utcOffset);
    const sys_days lastDay = floor<days>(to + utcOffset);
    if (lastDay < firstDay) return {};
    std::map<sys_days, std::int64_t> words;
    for (sys_days d = firstDay; d <= lastDay; d += days(1)) words[d] = 0;

    // The local days' bounds in UTC: ISO times in UTC compare as text.
    Statement started = db.prepare(
        "SELECT started_at, words FROM sittings WHERE started_at >= ?1 AND started_at < ?2");
    started.bind(1, isoTime(sys_seconds(firstDay) - utcOffset))
        .bind(2, isoTime(sys_seconds(lastDay + days(1)) - utcOffset));
    while (started.step()) {
        const auto day = words.find(floor<days>(timeIn(started, 0) + utcOffset));
        if (day != words.end()) day->second += started.integer(1);
    }
    std::vector<DayWords> out;
    out.reserve(words.size());
    for (const auto& [day, count] : words) out.push_back({year_month_day(day), count});
    return out;
}

std::vector<Sitting> sittings(Database& db, sys_seconds from, sys_seconds to) {
    Statement select = db.prepare(std::string("SELECT ") + kSittingColumns +
                                  " FROM sittings WHERE started_at >= ?1 AND started_at < ?2 "
                                  "ORDER BY started_at, id");
    select.bind(1, isoTime(from)).bind(2, isoTime(to));
    std::vector<Sitting> out;
    while (select.step()) out.push_back(sittingIn(select, 0));
    return out;
}

std::vector<RootsPoint> rootsOverTime(Database& db, sys_seconds from, sys_seconds to) {
    Statement select = db.prepare(
        "SELECT ended_at, roots_total FROM sittings WHERE ended_at >= ?1 AND ended_at < ?2 "
        "AND roots_total > 0 ORDER BY ended_at, id");
    select.bind(1, isoTime(from)).bind(2, isoTime(to));
    std::vector<RootsPoint> out;
    while (select.step()) out.push_back({timeIn(select, 0), select.integer(1)});
    return out;
}

std::vector<BookSummary> books(Database& db) {
    // The sittings are summed in one pass through the table: looking each book's sittings up
    // through sittings_by_book reads the rows out of order, twice as slow over many sittings.
    Statement select = db.prepare(
        "SELECT b.book, b.title, b.file, b.words, b.finished_at, s.ended, s.farthest, "
        "COALESCE(s.active_ms, 0), COALESCE(s.words, 0) "
        "FROM books b LEFT JOIN (SELECT book, MAX(ended_at) AS ended, MAX(last_entry) AS farthest, "
        "SUM(active_ms) AS active_ms, SUM(words) AS words FROM sittings NOT INDEXED "
        "WHERE book IS NOT NULL GROUP BY book) s ON s.book = b.book "
        "ORDER BY s.ended IS NULL, s.ended DESC, b.title");
    std::vector<BookSummary> out;
    while (select.step()) {
        BookSummary& book = out.emplace_back();
        book.book = select.text(0).value_or("");
        book.title = select.text(1).value_or("");
        book.file = select.text(2).value_or("");
        book.finishedAt = optionalTimeIn(select, 4);
        book.lastRead = optionalTimeIn(select, 5);
        const std::int64_t words = select.integer(3);
        if (words > 0) {
            // Entries count from 0: the last one reached is the whole book.
            book.percent = std::min(100.0, 100.0 * static_cast<double>(select.integer(6) + 1) /
                                               static_cast<double>(words));
        }
        book.activeMs = select.integer(7);
        if (book.activeMs > 0) {
            book.wordsPerMinute = static_cast<double>(select.integer(8)) * 60'000.0 /
                                  static_cast<double>(book.activeMs);
        }
    }
    return out;
}

std::string sittingsCsv(Database& db) {
    std::string csv = std::string("id,") + kSittingColumns + "\r\n";
    // The header names the columns without the spaces of the list.
    std::erase(csv, ' ');
    Statement select = db.prepare(std::string("SELECT id, ") + kSittingColumns +
                                  " FROM sittings ORDER BY started_at, id");
    while (select.step()) {
        for (int column = 0; column < 12; ++column) {
            if (column > 0) csv += ',';
            appendCsvField(csv, select.text(column).value_or(""));
        }
        csv += "\r\n";
    }
    return csv;
}

}  // namespace orvell::history_db
