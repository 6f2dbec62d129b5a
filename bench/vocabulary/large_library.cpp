#include "bench/vocabulary/large_library.h"

#include <fstream>
#include <random>
#include <string>

namespace orvell::bench {

void writeLargeLibrary(const std::filesystem::path& file, std::size_t roots) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> letter(0xE0, 0xFF);  // а to я
    std::uniform_int_distribution<int> length(3, 10);
    std::string bytes;
    for (std::size_t i = 0; i < roots; ++i) {
        // The index in front makes nearly all of them distinct.
        for (std::size_t n = i; n > 0; n /= 32) bytes += static_cast<char>(0xE0 + n % 32);
        for (int n = length(random); n > 0; --n) bytes += static_cast<char>(letter(random));
        bytes += "\r\n";
    }
    std::ofstream(file, std::ios::binary) << bytes;
}

}  // namespace orvell::bench
