#pragma once

#include <filesystem>
#include <memory>

#include "history/database.h"
#include "history/reading_history.h"
#include "storage/file_system.h"

namespace orvell::history_db {

// The history file opened, or what kept it from being opened.
struct OpenedHistory {
    HistoryOpening opening;
    std::unique_ptr<Database> writer;  // both set when the history is on
    std::unique_ptr<Database> reader;
};

// Opens `file`, making its folder and itself if need be, ready for writes: in WAL mode, of
// this program's schema version. A damaged file is moved aside and a new one begun; a file
// of a newer version is left as it is.
OpenedHistory openHistoryFile(const std::filesystem::path& file, int busyTimeoutMs,
                              FileSystem& fs);

}  // namespace orvell::history_db
