// Decodes arbitrary bytes as a plain text file.
//
// What holds for any bytes: the file is read or refused with a reason, never both; a text has
// LF line breaks only and no more UTF-16 units than the file has bytes (no charset the reader
// picks makes more), and a file of printable ASCII lines is read exactly as it is.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "books/book_text.h"
#include "fuzz/require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = orvell::fuzz::bytesOf(data, size);
    const orvell::books::BookText book = orvell::books::decodeBook(bytes, "fuzz.txt");
    if (!book.ok()) {
        ORVELL_REQUIRE(book.text.empty());
        return 0;
    }
    ORVELL_REQUIRE(book.text.find(u'\r') == std::u16string::npos);
    ORVELL_REQUIRE(book.text.size() <= bytes.size());
    const bool plainAscii =
        std::ranges::all_of(bytes, [](char b) { return (b >= 0x20 && b < 0x7F) || b == '\n'; });
    if (plainAscii) ORVELL_REQUIRE(book.text == std::u16string(bytes.begin(), bytes.end()));
    return 0;
}
