#pragma once

#include <string>
#include <string_view>

namespace orvell::books {

// A book told by its text, not by its file: a renamed or moved file, or the same text in
// another charset or format, is the same book. 64 lowercase hex digits (BLAKE2b-256 of the
// text's UTF-16 code units).
std::string bookIdentity(std::u16string_view text);

}  // namespace orvell::books
