#pragma once

#include <filesystem>

#include "settings/settings.h"
#include "storage/background_writer.h"
#include "storage/file_system.h"

namespace orvell {

// The reader's settings, in settings.ini in the folder given (for the window, the user's data
// folder, beside places.txt). Loaded at construction: a missing file means the defaults, and
// a file that cannot be read, or a value in it that cannot be used, the defaults for what is
// lost, with one line on standard error per problem. A save runs on a thread of its own and
// writes a new file put in place of the old, so a crash never leaves half a file.
class SettingsFile {
  public:
    static constexpr const char* kFileName = "settings.ini";

    // The file in `folder`, which the first save makes if need be; with no folder the
    // settings last only as long as this object.
    explicit SettingsFile(const std::filesystem::path& folder, FileSystem& fs = systemFileSystem());
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;
    // Waits for the last save.
    ~SettingsFile() = default;

    const Settings& settings() const { return settings_; }
    // Takes the settings at once and writes them in the background; a failed write leaves the
    // old file and says so in one line on standard error.
    void save(const Settings& settings);

    // Returns once every save so far is on the disk, or has failed.
    void waitForSaves() { writer_.waitUntilIdle(); }

  private:
    void load();

    std::filesystem::path file_;  // empty when there is no folder
    FileSystem& fs_;
    Settings settings_;
    BackgroundWriter writer_;  // last, so it stops before the rest goes
};

}  // namespace orvell
