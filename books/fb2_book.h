#pragma once

#include <string>
#include <string_view>

#include "books/book_text.h"

namespace orvell::books {

// The text of an FB2 book: its title, then the main body in document order, one block (title
// line, paragraph, poem line, subtitle, epigraph line, text author) per line. Notes and
// comments bodies, pictures and the rest of the description are left out. Where the XML breaks,
// the text is what a recovering parser reads, and the damage says from which line on. Throws
// BookFailure.
BookText fb2Book(std::string_view bytes, int maxDepth);

// The book's title, its <book-title> in <title-info>, on one line, from the first bytes of an
// FB2 file; empty when they hold none or cannot be read.
std::u16string fb2Title(std::string_view start, int maxDepth);

}  // namespace orvell::books
