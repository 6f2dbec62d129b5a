#pragma once

#include <string_view>

namespace orvell::books {

// Which single-byte charset the bytes of a text are in: the Cyrillic windows-1251, KOI8-R,
// KOI8-U, IBM866, ISO-8859-5, MacCyrillic and IBM855, or the Western windows-1252, ISO-8859-1
// and ISO-8859-15. The one whose reading looks most like prose in a language written in it
// wins. Throws BookFailure when none reads like prose, or when two that give different letters
// read about as well.
const char* singleByteCharset(std::string_view bytes);

}  // namespace orvell::books
