#include "engine/pacing.h"

#include "engine/rounding.h"

namespace orvell {

// j >= 0 (a base interval from the speed table) and factor 1 or 2. Of the four rules each later
// one overrides the earlier, so only the last that holds for the length counts.
std::uint32_t lengthRuleInterval(std::int32_t j, std::size_t rightLength, int factor) {
    const std::int64_t base = std::int64_t{j} * factor;
    if (rightLength > 7) return static_cast<std::uint32_t>(2 * base);
    if (rightLength > 5) return static_cast<std::uint32_t>(roundHalfEven(3 * base, 2));
    if (rightLength >= 2) return static_cast<std::uint32_t>(base);
    return static_cast<std::uint32_t>(roundHalfEven(7 * base, 10));
}

bool hasPunctuationPause(std::u16string_view right) {
    return right.find_first_of(u",:;") != std::u16string_view::npos;
}

std::uint32_t punctuationInterval(std::uint32_t lengthInterval, int factor) {
    return lengthInterval * 2 * static_cast<std::uint32_t>(factor);
}

std::uint32_t displayInterval(std::int32_t j, std::u16string_view right, int factor) {
    const std::uint32_t length = lengthRuleInterval(j, right.size(), factor);
    return hasPunctuationPause(right) ? punctuationInterval(length, factor) : length;
}

}  // namespace orvell
