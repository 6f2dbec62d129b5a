#include "settings/setting_keys.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace orvell {

namespace {

using Key = SettingKey;
using NumberField = SettingKey::NumberField;
using FlagField = SettingKey::FlagField;
using ThemeField = SettingKey::ThemeField;
using TextField = SettingKey::TextField;
using enum NumberUnit;

// Factors are hundredths of the base interval written as decimals.
constexpr SettingRange kFactor = ranges::kFactorPercent;
constexpr SettingRange kLength = ranges::kLengthThreshold;

const std::array kKeys{
    Key{"pauses", "shortBelow", +[](Settings& s) -> int& { return s.reading.pauses.shortBelow; },
        "an entry whose right part has fewer letters is short", Whole, kLength},
    Key{"pauses", "short", +[](Settings& s) -> int& { return s.reading.pauses.shortPercent; },
        "the time of a short entry, 1 being the base interval", Hundredths, kFactor},
    Key{"pauses", "normal", +[](Settings& s) -> int& { return s.reading.pauses.normalPercent; },
        "the time of an entry neither short nor long", Hundredths, kFactor},
    Key{"pauses", "longAbove", +[](Settings& s) -> int& { return s.reading.pauses.longAbove; },
        "an entry whose right part has more letters is long", Whole, kLength},
    Key{"pauses", "long", +[](Settings& s) -> int& { return s.reading.pauses.longPercent; },
        "the time of a long entry", Hundredths, kFactor},
    Key{"pauses", "veryLongAbove",
        +[](Settings& s) -> int& { return s.reading.pauses.veryLongAbove; },
        "an entry whose right part has more letters is very long", Whole, kLength},
    Key{"pauses", "veryLong", +[](Settings& s) -> int& { return s.reading.pauses.veryLongPercent; },
        "the time of a very long entry", Hundredths, kFactor},
    Key{"pauses", "punctuation",
        +[](Settings& s) -> int& { return s.reading.pauses.punctuationPercent; },
        "factor for a comma, colon or semicolon in the entry", Hundredths, kFactor},
    Key{"pauses", "newRoot", +[](Settings& s) -> int& { return s.reading.pauses.newRootPercent; },
        "factor for a word whose root is new, when learning", Hundredths, kFactor},
    Key{"pauses", "sentenceEnd",
        +[](Settings& s) -> int& { return s.reading.pauses.sentenceEndPercent; },
        "factor for the last word of a sentence", Hundredths, kFactor},
    Key{"pauses", "number", +[](Settings& s) -> int& { return s.reading.pauses.numberPercent; },
        "factor for a word with a digit in it", Hundredths, kFactor},
    Key{"pauses", "afterSentence",
        +[](Settings& s) -> int& { return s.reading.pauses.sentencePauses; },
        "pause entries after a sentence end", Whole, ranges::kPauseEntries},
    Key{"pauses", "afterLineBreak",
        +[](Settings& s) -> int& { return s.reading.pauses.lineBreakPauses; },
        "pause entries after a line break", Whole, ranges::kPauseEntries},
    Key{"flash", "words", +[](Settings& s) -> int& { return s.reading.flash.words; },
        "words one flash may show", Whole, ranges::kFlashWords},
    Key{"flash", "width", +[](Settings& s) -> int& { return s.reading.flash.width; },
        "characters at most in a flash that joins words", Whole, ranges::kFlashWidth},
    Key{"speed", "wordsPerMinute",
        +[](Settings& s) -> bool& { return s.reading.speed.wordsPerMinute; },
        "true: the speed counts every entry shown, pauses and long words included"},
    Key{"speed", "warmUp", +[](Settings& s) -> bool& { return s.reading.speed.warmUp; },
        "true: the first words after a start, resume or move run slower"},
    Key{"speed", "warmUpFrom",
        +[](Settings& s) -> int& { return s.reading.speed.warmUpFromPercent; },
        "the warm-up's first speed, in percent of the speed", Whole, ranges::kWarmUpFromPercent},
    Key{"speed", "warmUpWords", +[](Settings& s) -> int& { return s.reading.speed.warmUpWords; },
        "words the warm-up takes to reach the full speed", Whole, ranges::kWarmUpWords},
    Key{"look", "theme", +[](Settings& s) -> Theme& { return s.look.theme; },
        "the colours of the strip and the text box"},
    Key{"look", "focusColour", +[](Settings& s) -> std::string& { return s.look.focusColour; },
        "the focus letter's colour; empty: the theme's own"},
    Key{"look", "fontZoom", +[](Settings& s) -> int& { return s.look.fontZoom; },
        "the strip's font size, in percent of what the font buttons chose", Zoom},
};

constexpr std::array<std::string_view, 3> kThemeNames = {"light", "dark", "night"};

char lowered(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isHexDigit(char c) { return isDigit(c) || (lowered(c) >= 'a' && lowered(c) <= 'f'); }

// A decimal number times 10^decimals: an optional minus, digits, and when decimals is 2, at
// most two more after "." or ",". Far too large a number stays far too large but never
// overflows.
std::optional<std::int64_t> parseNumber(std::string_view text, int decimals) {
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    constexpr std::int64_t kHuge = std::int64_t{1} << 40;
    std::int64_t value = 0;
    std::size_t i = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = std::min(kHuge, value * 10 + (text[i] - '0'));
    }
    const bool wholeDigits = i > 0;
    int fraction = 0;
    if (decimals > 0 && i < text.size() && (text[i] == '.' || text[i] == ',')) {
        ++i;
        for (; i < text.size() && isDigit(text[i]) && fraction < decimals; ++i, ++fraction) {
            value = value * 10 + (text[i] - '0');
        }
        if (fraction == 0) return std::nullopt;
    }
    if (i != text.size() || (!wholeDigits && fraction == 0)) return std::nullopt;
    for (; fraction < decimals; ++fraction) value *= 10;
    return negative ? -value : value;
}

std::string hundredthsText(int value) {
    std::string text = std::to_string(value / 100);
    const int rest = value % 100;
    if (rest != 0) {
        text += '.';
        text += static_cast<char>('0' + rest / 10);
        if (rest % 10 != 0) text += static_cast<char>('0' + rest % 10);
    }
    return text;
}

std::string zoomsText() {
    std::string text;
    for (std::size_t i = 0; i < kFontZooms.size(); ++i) {
        if (i > 0) text += i + 1 == kFontZooms.size() ? " or " : ", ";
        text += std::to_string(kFontZooms[i]);
    }
    return text;
}

std::optional<bool> parseFlag(std::string_view text) {
    for (const std::string_view yes : {"true", "yes", "1"}) {
        if (sameIgnoringCase(text, yes)) return true;
    }
    for (const std::string_view no : {"false", "no", "0"}) {
        if (sameIgnoringCase(text, no)) return false;
    }
    return std::nullopt;
}

bool isColour(std::string_view text) {
    return text.empty() ||
           (text.size() == 7 && text[0] == '#' && std::ranges::all_of(text.substr(1), isHexDigit));
}

std::optional<std::string> readNumber(const SettingKey& key, std::string_view text, int& field) {
    const auto value = parseNumber(text, key.unit == Hundredths ? 2 : 0);
    if (!value) return "is not valid (" + rangeText(key) + ")";
    const bool inRange = key.unit == Zoom
                             ? std::ranges::find(kFontZooms, *value) != kFontZooms.end()
                             : *value >= key.range.least && *value <= key.range.most;
    if (!inRange) return "is out of range (" + rangeText(key) + ")";
    field = static_cast<int>(*value);
    return std::nullopt;
}

}  // namespace

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowered(x) == lowered(y); });
}

std::span<const SettingKey> settingKeys() { return kKeys; }

std::string valueText(const SettingKey& key, const Settings& settings) {
    Settings copy = settings;  // the fields are reached through the one writable path
    if (const auto* number = std::get_if<NumberField>(&key.field)) {
        const int value = (*number)(copy);
        return key.unit == Hundredths ? hundredthsText(value) : std::to_string(value);
    }
    if (const auto* flag = std::get_if<FlagField>(&key.field)) {
        return (*flag)(copy) ? "true" : "false";
    }
    if (const auto* theme = std::get_if<ThemeField>(&key.field)) {
        return std::string(kThemeNames.at(static_cast<std::size_t>((*theme)(copy))));
    }
    return std::get<TextField>(key.field)(copy);
}

std::string rangeText(const SettingKey& key) {
    if (std::holds_alternative<FlagField>(key.field)) return "false or true";
    if (std::holds_alternative<ThemeField>(key.field)) return "light, dark or night";
    if (std::holds_alternative<TextField>(key.field)) return "#rrggbb or empty";
    switch (key.unit) {
        case Whole:
            return std::to_string(key.range.least) + "–" + std::to_string(key.range.most);
        case Hundredths:
            return hundredthsText(key.range.least) + "–" + hundredthsText(key.range.most);
        case Zoom:
            return zoomsText();
    }
    return {};
}

std::optional<std::string> readValue(const SettingKey& key, std::string_view text,
                                     Settings& settings) {
    if (const auto* number = std::get_if<NumberField>(&key.field)) {
        return readNumber(key, text, (*number)(settings));
    }
    if (const auto* flag = std::get_if<FlagField>(&key.field)) {
        const std::optional<bool> value = parseFlag(text);
        if (!value) return "is not valid (" + rangeText(key) + ")";
        (*flag)(settings) = *value;
        return std::nullopt;
    }
    if (const auto* theme = std::get_if<ThemeField>(&key.field)) {
        const auto found = std::ranges::find_if(
            kThemeNames, [text](std::string_view name) { return sameIgnoringCase(text, name); });
        if (found == kThemeNames.end()) return "is not valid (" + rangeText(key) + ")";
        (*theme)(settings) = static_cast<Theme>(found - kThemeNames.begin());
        return std::nullopt;
    }
    if (!isColour(text)) return "is not valid (" + rangeText(key) + ")";
    std::get<TextField>(key.field)(settings) = std::string(text);
    return std::nullopt;
}

}  // namespace orvell
