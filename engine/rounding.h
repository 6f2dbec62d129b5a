#pragma once

#include <cstdint>

namespace orvell {

// numerator / denominator for numerator >= 0 and denominator > 0, rounded to the nearest
// integer, an exact half to the even neighbour. Integer arithmetic keeps the halves exact,
// where a binary fraction (0.7 × 45 = 31.499…) would not.
constexpr std::int64_t roundHalfEven(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t q = numerator / denominator;
    const std::int64_t twiceRemainder = 2 * (numerator % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && q % 2 != 0)) ++q;
    return q;
}

}  // namespace orvell
