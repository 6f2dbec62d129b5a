#pragma once

#include "history/database.h"

namespace orvell::history_db {

// The user_version of the file; 0 for a new one.
int schemaVersion(Database& db);

// Within a write transaction: makes the tables in a new file, or brings a file of an older
// version up to `kSchemaVersion` in place. False, touching nothing, when the file is of a newer
// version than this program knows.
bool prepareSchema(Database& db);

}  // namespace orvell::history_db
