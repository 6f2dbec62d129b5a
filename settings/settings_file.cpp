#include "settings/settings_file.h"

#include <array>
#include <cstdio>
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

// The path as the messages show it: UTF-8, with forward slashes on every system.
std::string shown(const std::filesystem::path& file) {
    const std::u8string text = file.generic_u8string();
    return {text.begin(), text.end()};
}

void report(const std::string& message) { std::fprintf(stderr, "Orvell: %s\n", message.c_str()); }

}  // namespace

SettingsFile::SettingsFile(const std::filesystem::path& folder, FileSystem& fs)
    : file_(folder.empty() ? folder : folder / kFileName), fs_(fs) {
    load();
}

void SettingsFile::load() {
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
        report("cannot read " + shown(file_) + " (" + e.what() + "); the defaults are used");
        return;
    }
    if (tooLarge) {
        report(shown(file_) + " is too large to be a settings file; the defaults are used");
        return;
    }
    ParsedSettings parsed = parseSettings(bytes);
    settings_ = std::move(parsed.settings);
    const std::size_t problems = parsed.problems.size();
    for (std::size_t i = 0; i < problems && i < kMostProblemsShown; ++i) {
        report(shown(file_) + ": " + parsed.problems[i]);
    }
    if (problems > kMostProblemsShown) {
        report(shown(file_) + ": " + std::to_string(problems - kMostProblemsShown) +
               " more problems");
    }
}

void SettingsFile::save(const Settings& settings) {
    settings_ = settings;
    if (file_.empty()) return;
    // A save still waiting gives way to this one, which holds all it would have written.
    writer_.post([this, text = formatSettings(settings)] {
        try {
            std::error_code error;
            std::filesystem::create_directories(file_.parent_path(), error);
            if (error) throw FileError("cannot create the folder");
            const std::array pieces{std::string_view(text)};
            writeAtomically(fs_, file_, pieces);
        } catch (const FileError& e) {
            report("settings not saved in " + shown(file_) + ": " + e.what());
        }
    });
}

}  // namespace orvell
