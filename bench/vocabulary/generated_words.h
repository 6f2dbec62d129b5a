#pragma once

#include <cstddef>
#include <string>

namespace orvell::bench {

// The n-th of an endless series of made-up Russian-looking words; different n give different
// words, though their roots may meet.
std::u16string generatedWord(std::size_t n);

}  // namespace orvell::bench
