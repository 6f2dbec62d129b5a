#pragma once

#include <string>
#include <string_view>

namespace orvell::books {

// A plain text file decoded by its byte order mark or detected charset. Throws BookFailure for
// a binary file.
std::u16string plainText(std::string_view bytes);

}  // namespace orvell::books
