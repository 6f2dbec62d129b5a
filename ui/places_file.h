#pragma once

#include <QString>
#include <atomic>
#include <string>

#include "books/reading_places.h"
#include "storage/background_writer.h"

namespace orvell {

// The reading places of the books read, in places.txt in the user's data folder. Loaded at
// construction; a missing, unreadable or damaged file only means no places, with at most one
// line on standard error. Every change is saved on a thread of its own, by a new file put in
// place of the old, so a reading never waits for the disk and a crash never leaves half a file.
class PlacesFile {
  public:
    PlacesFile();
    PlacesFile(const PlacesFile&) = delete;
    PlacesFile& operator=(const PlacesFile&) = delete;
    // Waits for the last save.
    ~PlacesFile() = default;

    const books::ReadingPlace* find(const std::string& book) const { return places_.find(book); }
    // The place, reached now.
    void remember(const std::string& book, std::int32_t entries, std::int32_t position);
    void forget(const std::string& book);

    // places.txt in the user's data folder; empty when the system names no such folder.
    static QString location();

    // Returns once every change so far is on the disk, or has failed.
    void waitForSaves() { writer_.waitUntilIdle(); }

  private:
    void load();
    void save();

    QString file_;  // empty when the system names no data folder
    books::ReadingPlaces places_;
    std::atomic<bool> failureReported_{false};  // one line on standard error is enough
    BackgroundWriter writer_;                   // last, so it stops before the rest goes
};

}  // namespace orvell
