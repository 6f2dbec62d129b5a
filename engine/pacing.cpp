#include "engine/pacing.h"

namespace orvell {

namespace {

// numerator / denominator for numerator >= 0 and denominator > 0, rounded to the nearest
// integer, an exact half to the even neighbour.
std::uint32_t roundHalfEven(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t q = numerator / denominator;
    const std::int64_t twiceRemainder = 2 * (numerator % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && q % 2 != 0)) ++q;
    return static_cast<std::uint32_t>(q);
}

}  // namespace

// j >= 0 (a base interval from the speed table) and factor 1 or 2. Of the four rules each later
// one overrides the earlier, so only the last that holds for the length counts.
std::uint32_t lengthRuleInterval(std::int32_t j, std::size_t rightLength, int factor) {
    const std::int64_t base = std::int64_t{j} * factor;
    if (rightLength > 7) return static_cast<std::uint32_t>(2 * base);
    if (rightLength > 5) return roundHalfEven(3 * base, 2);
    if (rightLength >= 2) return static_cast<std::uint32_t>(base);
    return roundHalfEven(7 * base, 10);
}

bool hasPunctuationPause(std::u16string_view right) {
    return right.find_first_of(u",:;") != std::u16string_view::npos;
}

std::uint32_t punctuationInterval(std::uint32_t lengthInterval, int factor) {
    return lengthInterval * 2 * static_cast<std::uint32_t>(factor);
}

std::uint32_t displayInterval(std::int32_t j, std::u16string_view right, int factor) {
    const std::uint32_t interval = lengthRuleInterval(j, right.size(), factor);
    return hasPunctuationPause(right) ? punctuationInterval(interval, factor) : interval;
}

}  // namespace orvell
