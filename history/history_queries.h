#pragma once

// The statements behind ReadingHistory: writing a sitting, and the reads for its figures.

#include <chrono>
#include <string>
#include <vector>

#include "history/database.h"
#include "history/sitting.h"

namespace orvell::history_db {

void insertSitting(Database& db, const Sitting& sitting);
// False when no row has that id, as after a clear.
bool updateSitting(Database& db, std::int64_t id, const Sitting& sitting);

HistoryTotals totals(Database& db);
std::vector<DayWords> wordsPerDay(Database& db, std::chrono::sys_seconds from,
                                  std::chrono::sys_seconds to, std::chrono::minutes utcOffset);
std::vector<Sitting> sittings(Database& db, std::chrono::sys_seconds from,
                              std::chrono::sys_seconds to);
std::vector<RootsPoint> rootsOverTime(Database& db, std::chrono::sys_seconds from,
                                      std::chrono::sys_seconds to);
std::vector<BookSummary> books(Database& db);
std::string sittingsCsv(Database& db);

}  // namespace orvell::history_db
