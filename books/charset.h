#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvell::books {

// A byte order mark at the start of the bytes, and the charset it stands for.
struct ByteOrderMark {
    std::size_t size = 0;
    const char* charset = nullptr;
};
std::optional<ByteOrderMark> byteOrderMark(std::string_view bytes);

// The charset of a text without a byte order mark: "UTF-16LE", "UTF-16BE", "UTF-8", or that of
// singleByteCharset. Throws BookFailure when the text reads as no charset's, or as two.
const char* detectCharset(std::string_view bytes);

// Whether the bytes are valid UTF-8.
bool isUtf8(std::string_view bytes);

// Decodes with ICU; invalid sequences become U+FFFD. Throws BookFailure for a charset ICU
// does not know.
std::u16string toUtf16(std::string_view bytes, const char* charset);

}  // namespace orvell::books
