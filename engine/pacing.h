#pragma once

#include <cstdint>
#include <string_view>

namespace orvell {

// Display time of one entry, in the two steps the pacing tick writes to its timer:
// first the length rules (from the length of the entry's right part), then the punctuation
// rule (a comma, colon or semicolon in the right part doubles it and applies the learning
// factor once more). All products are exact and rounded half to even.
std::uint32_t lengthRuleInterval(std::int32_t j, std::size_t rightLength, int factor);
bool hasPunctuationPause(std::u16string_view right);
std::uint32_t punctuationInterval(std::uint32_t lengthInterval, int factor);
// Both steps: how long the tick shows an entry with this right part.
std::uint32_t displayInterval(std::int32_t j, std::u16string_view right, int factor);

}  // namespace orvell
