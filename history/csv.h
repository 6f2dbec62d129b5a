#pragma once

#include <string>
#include <string_view>

namespace orvell {

// Appends one field of a CSV line as RFC 4180 has it: as it stands, or in double quotes with
// its own quotes doubled when it holds a comma, a quote or a line break.
void appendCsvField(std::string& line, std::string_view field);

}  // namespace orvell
