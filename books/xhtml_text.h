#pragma once

#include <string_view>

#include "books/text_lines.h"

namespace orvell::books {

// Adds the text of one XHTML document to `lines`: block elements (paragraphs, headings, list
// items, divisions, quotations, table rows, line breaks) end lines; the head, scripts and
// styles are left out. Throws BookFailure.
void addXhtmlText(std::string_view bytes, int maxDepth, TextLines& lines);

}  // namespace orvell::books
