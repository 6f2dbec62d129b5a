#pragma once

#include <string>
#include <string_view>

namespace orvell::books {

// The charset of a text without a byte order mark: "UTF-16LE", "UTF-16BE", "UTF-8", or for
// single-byte text one of "windows-1251", "KOI8-R" and "IBM866".
const char* detectCharset(std::string_view bytes);

// Whether the bytes are valid UTF-8.
bool isUtf8(std::string_view bytes);

// Decodes with ICU; invalid sequences become U+FFFD. Throws BookFailure for a charset ICU
// does not know.
std::u16string toUtf16(std::string_view bytes, const char* charset);

}  // namespace orvell::books
