#pragma once

#include <cstddef>
#include <filesystem>

namespace orvell::bench {

// Writes a vocabulary file of `roots` lower-case Russian roots of 3 to 10 letters,
// in windows-1251, as the program would have saved them.
void writeLargeLibrary(const std::filesystem::path& file, std::size_t roots);

}  // namespace orvell::bench
