#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvell::bench {

// A reproducible text of Cyrillic and Latin words with commas, colons, hyphens, brackets,
// sentence marks and paragraphs, `wordCount` words long; another seed gives another such text.
std::u16string generatedText(std::size_t wordCount, std::uint32_t seed = 20240611);

}  // namespace orvell::bench
