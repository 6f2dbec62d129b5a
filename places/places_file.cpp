#include "places/places_file.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string_view>
#include <system_error>

#include "storage/file_error.h"
#include "storage/whole_file.h"

namespace orvell {

namespace {

// A few hundred lines take some 30 KB; a bigger file is not one this program wrote.
constexpr std::size_t kLargestFile = std::size_t{1} << 20;

}  // namespace

PlacesFile::PlacesFile(const std::filesystem::path& folder, FileSystem& fs)
    : file_(folder.empty() ? folder : folder / kFileName), fs_(fs) {
    load();
}

void PlacesFile::reportOnce(const std::string& message) {
    if (failureReported_.exchange(true)) return;
    std::fprintf(stderr, "Orvell: %s.\n", message.c_str());
}

void PlacesFile::load() {
    if (file_.empty()) return;
    std::optional<std::string> bytes;
    try {
        bytes = readSmallFile(fs_, file_, kLargestFile);
    } catch (const FileError& e) {
        reportOnce("cannot read " + shownPath(file_) + " (" + e.what() +
                   "); reading places are not restored");
        return;
    }
    if (!bytes) {
        reportOnce(shownPath(file_) +
                   " is too large to be a places file; reading places are not restored");
        return;
    }
    places_ = ReadingPlaces::parse(*bytes);
}

void PlacesFile::remember(const std::string& book, std::int32_t entries, std::int32_t position) {
    const auto now = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::system_clock::now().time_since_epoch());
    places_.remember({book, entries, position, now.count()});
    save();
}

void PlacesFile::forget(const std::string& book) {
    places_.forget(book);
    save();
}

void PlacesFile::save() {
    if (file_.empty()) return;
    // A save still waiting gives way to this one, which holds all it would have written.
    writer_.post([this, text = places_.serialise()] {
        try {
            writeIntoFolder(fs_, file_, text);
        } catch (const FileError& e) {
            reportOnce("reading places not saved in " + shownPath(file_) + ": " + e.what());
        }
    });
}

}  // namespace orvell
