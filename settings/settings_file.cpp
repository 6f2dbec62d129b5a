#include "settings/settings_file.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "settings/settings_format.h"
#include "storage/file_error.h"
#include "storage/whole_file.h"

namespace orvell {

namespace {

// The file written takes some 3 KB; a much bigger one is not a settings file.
constexpr std::size_t kLargestFile = std::size_t{1} << 16;
// A file of garbage would fill the terminal with one problem per line.
constexpr std::size_t kMostProblemsShown = 10;

void report(const std::string& message) { std::fprintf(stderr, "Orvell: %s\n", message.c_str()); }

}  // namespace

SettingsFile::SettingsFile(const std::filesystem::path& folder, FileSystem& fs)
    : file_(folder.empty() ? folder : folder / kFileName), fs_(fs) {
    load();
}

void SettingsFile::load() {
    if (file_.empty()) return;
    std::optional<std::string> bytes;
    try {
        bytes = readSmallFile(fs_, file_, kLargestFile);
    } catch (const FileError& e) {
        report("cannot read " + shownPath(file_) + " (" + e.what() + "); the defaults are used");
        return;
    }
    if (!bytes) {
        report(shownPath(file_) + " is too large to be a settings file; the defaults are used");
        return;
    }
    ParsedSettings parsed = parseSettings(*bytes);
    settings_ = std::move(parsed.settings);
    const std::size_t problems = parsed.problems.size();
    for (std::size_t i = 0; i < problems && i < kMostProblemsShown; ++i) {
        report(shownPath(file_) + ": " + parsed.problems[i]);
    }
    if (problems > kMostProblemsShown) {
        report(shownPath(file_) + ": " + std::to_string(problems - kMostProblemsShown) +
               " more problems");
    }
}

void SettingsFile::save(const Settings& settings) {
    settings_ = settings;
    if (file_.empty()) return;
    // A save still waiting gives way to this one, which holds all it would have written.
    writer_.post([this, text = formatSettings(settings)] {
        try {
            writeIntoFolder(fs_, file_, text);
        } catch (const FileError& e) {
            report("settings not saved in " + shownPath(file_) + ": " + e.what());
        }
    });
}

}  // namespace orvell
