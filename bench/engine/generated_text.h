#pragma once

#include <cstddef>
#include <string>

namespace orvell::bench {

// A reproducible text of Cyrillic and Latin words with commas, colons, hyphens, brackets,
// sentence marks and paragraphs, `wordCount` words long.
std::u16string generatedText(std::size_t wordCount);

}  // namespace orvell::bench
