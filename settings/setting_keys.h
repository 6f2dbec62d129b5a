#pragma once

// The keys of settings.ini, one per field of Settings: where each stands in the file, what it
// means, and how its value is written and read back.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/settings.h"

namespace orvell {

// How a whole-number field is written: as it is, as a decimal of its hundredths (70 is 0.7),
// or as it is but limited to one of kFontZooms.
enum class NumberUnit { Whole, Hundredths, Zoom };

struct SettingKey {
    using NumberField = int& (*)(Settings&);
    using FlagField = bool& (*)(Settings&);
    using ThemeField = Theme& (*)(Settings&);
    using TextField = std::string& (*)(Settings&);

    std::string_view section;
    std::string_view name;
    std::variant<NumberField, FlagField, ThemeField, TextField> field;
    std::string_view meaning;             // the comment above the key, before the range
    NumberUnit unit = NumberUnit::Whole;  // of a NumberField
    SettingRange range{0, 0};             // of a Whole or Hundredths NumberField
};

// Every key, section by section, in the order the file is written.
std::span<const SettingKey> settingKeys();

// The key's value in `settings` as the file writes it.
std::string valueText(const SettingKey& key, const Settings& settings);

// What the key accepts, as the comment and the problems say it: "1–3", "light, dark or night".
std::string rangeText(const SettingKey& key);

// Reads `text` (trimmed) into the key's field of `settings`. On failure the field is left as
// it was and the reason is returned: "is out of range (1–3)", "is not valid (false or true)".
std::optional<std::string> readValue(const SettingKey& key, std::string_view text,
                                     Settings& settings);

// ASCII letters compared without case: names and word values are matched so.
bool sameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace orvell
