#pragma once

#include <QString>
#include <string_view>

namespace orvell::books {

// The text of an FB2 book: its title, then the main body in document order, one block (title
// line, paragraph, poem line, subtitle, epigraph line, text author) per line. Notes and
// comments bodies, pictures and the rest of the description are left out. Throws BookFailure.
QString fb2Text(std::string_view bytes, int maxDepth);

}  // namespace orvell::books
