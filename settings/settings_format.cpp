#include "settings/settings_format.h"

#include <algorithm>
#include <optional>

#include "settings/setting_keys.h"
#include "storage/whole_file.h"

namespace orvell {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kSpaces = " \t";
// A value longer than this is cut short in a problem, which is one line on standard error.
constexpr std::size_t kLongestShownValue = 40;

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kSpaces);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kSpaces) - first + 1);
}

const SettingKey* findKey(std::string_view section, std::string_view name) {
    const auto keys = settingKeys();
    const auto found = std::ranges::find_if(keys, [&](const SettingKey& key) {
        return sameIgnoringCase(key.section, section) && sameIgnoringCase(key.name, name);
    });
    return found == keys.end() ? nullptr : &*found;
}

std::string shownValue(std::string_view value) {
    if (value.size() <= kLongestShownValue) return std::string(value);
    return std::string(value.substr(0, kLongestShownValue)) + "…";
}

std::string problem(const SettingKey& key, std::string_view value, const std::string& reason) {
    std::string fallback = valueText(key, Settings{});
    if (fallback.empty()) fallback = "(empty)";
    // Appended piece by piece: GCC 12 warns wrongly of overlapping copies in a chain of "+".
    std::string text = "[";
    text.append(key.section).append("] ").append(key.name).append("=");
    text.append(shownValue(value)).append(" ").append(reason);
    return text.append("; the default ").append(fallback).append(" is used");
}

}  // namespace

ParsedSettings parseSettings(std::string_view text) {
    ParsedSettings parsed;
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::string section;  // none before the first section line: its keys are unknown
    for (int number = 1; !text.empty(); ++number) {
        // No name or value holds a ";", so from there on a line is a comment.
        std::string_view line = takeLine(text);
        line = trimmed(line.substr(0, line.find(';')));
        if (line.empty() || line.starts_with('#')) continue;
        if (line.starts_with('[') && line.ends_with(']')) {
            section = trimmed(line.substr(1, line.size() - 2));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            parsed.problems.push_back("line " + std::to_string(number) + " \"" + shownValue(line) +
                                      "\" is neither a [section] nor a key=value; it is skipped");
            continue;
        }
        const SettingKey* key = findKey(section, trimmed(line.substr(0, equals)));
        if (key == nullptr) continue;
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (const auto reason = readValue(*key, value, parsed.settings)) {
            // An earlier good value of a key given twice gives way to the default too.
            readValue(*key, valueText(*key, Settings{}), parsed.settings);
            parsed.problems.push_back(problem(*key, value, *reason));
        }
    }
    return parsed;
}

std::string formatSettings(const Settings& settings) {
    std::string text =
        "; Orvell's settings, written by the program and fine to edit by hand while it is\n"
        "; closed. A missing key, or a value that does not read, takes its default.\n"
        "; Times are factors of the base interval: 1 is the base, 1.5 half as long again.\n";
    std::string_view section;
    for (const SettingKey& key : settingKeys()) {
        if (key.section != section) {
            section = key.section;
            text += "\n[" + std::string(section) + "]\n";
        }
        text += "; " + std::string(key.meaning) + " (" + rangeText(key) + ")\n";
        text += std::string(key.name) + "=" + valueText(key, settings) + "\n";
    }
    return text;
}

}  // namespace orvell
