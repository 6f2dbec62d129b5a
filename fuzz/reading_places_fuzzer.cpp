// Reads arbitrary bytes as the reading places file, writes it and reads it again.
//
// What holds for any bytes: reading never fails and keeps at most the allowed number of
// books; what it kept writes out as a file that reads back to the same places, line for line.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/require.h"
#include "places/reading_places.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // libFuzzer hands over unsigned bytes; the reader takes chars.
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast)
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    using orvell::ReadingPlaces;
    const ReadingPlaces places = ReadingPlaces::parse(bytes);
    ORVELL_REQUIRE(places.size() <= ReadingPlaces::kMaxBooks);
    const std::string file = places.serialise();
    const ReadingPlaces again = ReadingPlaces::parse(file);
    ORVELL_REQUIRE(again.size() == places.size());
    ORVELL_REQUIRE(again.serialise() == file);
    return 0;
}
