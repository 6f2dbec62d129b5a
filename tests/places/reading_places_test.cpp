// Where the reader left each book: the places kept for the books read last, and the places file
// read back whatever it holds.

#include <gtest/gtest.h>

#include <array>
#include <iomanip>
#include <sstream>
#include <string>

#include "places/reading_places.h"

namespace orvell {
namespace {

std::string identity(std::size_t n) {
    std::ostringstream hex;
    hex << std::hex << std::setw(64) << std::setfill('0') << n;
    return hex.str();
}

ReadingPlace place(std::size_t n, std::int32_t position = 10) {
    return {identity(n), 100, position, 1'700'000'000 + static_cast<std::int64_t>(n)};
}

TEST(ReadingPlaces, ForgetTheBookReachedLongestAgo) {
    constexpr std::size_t kMax = ReadingPlaces::kMaxBooks;
    ReadingPlaces places;
    for (std::size_t n = 0; n < kMax; ++n) places.remember(place(n));
    places.remember(place(0, 20));  // read again: now the most recent
    places.remember(place(kMax));   // one too many
    EXPECT_EQ(places.size(), kMax);
    ASSERT_NE(places.find(identity(0)), nullptr);
    EXPECT_EQ(places.find(identity(0))->position, 20);
    EXPECT_EQ(places.find(identity(1)), nullptr);
    EXPECT_NE(places.find(identity(2)), nullptr);
    // The order survives the file.
    ReadingPlaces again = ReadingPlaces::parse(places.serialise());
    EXPECT_EQ(again.serialise(), places.serialise());
    again.remember(place(kMax + 1));
    EXPECT_EQ(again.find(identity(2)), nullptr);
    EXPECT_NE(again.find(identity(0)), nullptr);
}

// Whatever the file holds, reading it gives the valid places in it, or none, never a failure.
TEST(ReadingPlaces, AnyFileReadsBackWithoutFailing) {
    const std::string header = "Orvell reading places 1\n";
    const std::string line = identity(7) + "\t100\t42\t1700000000";
    struct ParseCase {
        const char* label;
        std::string text;
        std::int32_t position;  // of book 7; -1: no place
    };
    const auto cases = std::to_array<ParseCase>({
        {"as written", header + line + "\n", 42},
        {"CR LF, no last line end", "Orvell reading places 1\r\n" + line, 42},
        {"empty", "", -1},
        {"no version line", line + "\n", -1},
        {"a newer version", "Orvell reading places 2\n" + line + "\n", -1},
        {"a damaged version", "Orvell reading places 1x\n" + line + "\n", -1},
        {"garbage around the place",
         header + "garbage\n\n\t\t\t\n" + line + "\n" + std::string("\xff\x00\x01", 3), 42},
        {"the later of two", header + identity(7) + "\t100\t5\t1\n" + line + "\n", 42},
        {"beyond its book", header + identity(7) + "\t100\t100\t1\n", -1},
        {"negative", header + identity(7) + "\t100\t-1\t1\n", -1},
        {"too large a number", header + identity(7) + "\t2147483648\t5\t1\n", -1},
        {"no entries", header + identity(7) + "\t0\t0\t1\n", -1},
        {"a field missing", header + identity(7) + "\t100\t42\n", -1},
        {"a field too many", header + line + "\t1\n", -1},
        {"a short identity", header + line.substr(1) + "\n", -1},
        {"blanks in a number", header + identity(7) + "\t100\t 42\t1\n", -1},
    });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const ReadingPlaces places = ReadingPlaces::parse(c.text);
        const ReadingPlace* found = places.find(identity(7));
        EXPECT_EQ(found == nullptr ? -1 : found->position, c.position);
        EXPECT_EQ(places.size(), found == nullptr ? 0U : 1U);
    }
}

}  // namespace
}  // namespace orvell
