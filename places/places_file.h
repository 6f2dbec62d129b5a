#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

#include "places/reading_places.h"
#include "storage/background_writer.h"
#include "storage/file_system.h"

namespace orvell {

// The reading places of the books read, in places.txt in the folder given (for the window, the
// user's data folder). Loaded at construction; a missing, unreadable or damaged file only means
// no places, with at most one line on standard error. Every change is saved on a thread of its
// own, by a new file put in place of the old, so a reading never waits for the disk and a crash
// never leaves half a file.
class PlacesFile {
  public:
    static constexpr const char* kFileName = "places.txt";

    // The file in `folder`, which the first save makes if need be; with no folder the places
    // last only as long as this object.
    explicit PlacesFile(const std::filesystem::path& folder, FileSystem& fs = systemFileSystem());
    PlacesFile(const PlacesFile&) = delete;
    PlacesFile& operator=(const PlacesFile&) = delete;
    // Waits for the last save.
    ~PlacesFile() = default;

    const ReadingPlace* find(const std::string& book) const { return places_.find(book); }
    // The place, reached now.
    void remember(const std::string& book, std::int32_t entries, std::int32_t position);
    void forget(const std::string& book);

    // Returns once every change so far is on the disk, or has failed.
    void waitForSaves() { writer_.waitUntilIdle(); }

  private:
    void load();
    void save();
    void reportOnce(const std::string& message);

    std::filesystem::path file_;  // empty when there is no folder
    FileSystem& fs_;
    ReadingPlaces places_;
    std::atomic<bool> failureReported_{false};  // one line on standard error is enough
    BackgroundWriter writer_;                   // last, so it stops before the rest goes
};

}  // namespace orvell
