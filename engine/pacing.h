#pragma once

#include <cstdint>
#include <string_view>

#include "engine/display_entry.h"
#include "engine/reading_rules.h"

namespace orvell {

// How long the tick shows an entry, in the two steps it writes to its timer: the length rules
// alone, then every rule.
struct DisplayTime {
    std::uint32_t lengthInterval = 0;
    std::uint32_t interval = 0;

    bool operator==(const DisplayTime&) const = default;
};

// The display time of entry e at base interval j, with learning factor 1, or 2 for a new root:
// the length rules (from the length of e's right part), then the punctuation rule (a comma,
// colon or semicolon in the right part: its factor, and the learning factor once more), then
// the sentence-end and number factors. Every product is exact and rounded half to even once
// per step.
DisplayTime displayTime(const PauseRules& rules, std::int32_t j, const DisplayEntry& e, int factor);

// The steps under the classic rules, as the tick takes them.
std::uint32_t lengthRuleInterval(std::int32_t j, std::size_t rightLength, int factor);
bool hasPunctuationPause(std::u16string_view right);
std::uint32_t punctuationInterval(std::uint32_t lengthInterval, int factor);
// Both steps: how long the tick shows an entry with this right part under the classic rules.
std::uint32_t displayInterval(std::int32_t j, std::u16string_view right, int factor);

}  // namespace orvell
