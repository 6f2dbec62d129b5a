#include "places/places_file.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <string_view>
#include <system_error>

#include "storage/file_error.h"
#include "storage/whole_file.h"

namespace orvell {

namespace {

// A few hundred lines take some 30 KB; a bigger file is not one this program wrote.
constexpr std::size_t kLargestFile = std::size_t{1} << 20;

// The path as the messages show it: UTF-8, with forward slashes on every system.
std::string shown(const std::filesystem::path& file) {
    const std::u8string text = file.generic_u8string();
    return {text.begin(), text.end()};
}

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
    std::string bytes;
    bool tooLarge = false;
    try {
        readChunks(fs_, file_, [&](std::string_view chunk) {
            tooLarge = bytes.size() + chunk.size() > kLargestFile;
            if (!tooLarge) bytes.append(chunk);
            return !tooLarge;
        });
    } catch (const FileError& e) {
        reportOnce("cannot read " + shown(file_) + " (" + e.what() +
                   "); reading places are not restored");
        return;
    }
    if (tooLarge) {
        reportOnce(shown(file_) +
                   " is too large to be a places file; reading places are not restored");
        return;
    }
    places_ = ReadingPlaces::parse(bytes);
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
            std::error_code error;
            std::filesystem::create_directories(file_.parent_path(), error);
            if (error) throw FileError("cannot create the folder");
            const std::array pieces{std::string_view(text)};
            writeAtomically(fs_, file_, pieces);
        } catch (const FileError& e) {
            reportOnce("reading places not saved in " + shown(file_) + ": " + e.what());
        }
    });
}

}  // namespace orvell
