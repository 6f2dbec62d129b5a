#pragma once

#include <QString>
#include <string_view>

namespace orvell::books {

// The characters of an XML or HTML file. A byte order mark decides the encoding, then the one
// that the XML declaration names, when ICU knows it; bytes that are not UTF-8 fall back to the
// charset of an HTML <meta>, then to the detected one. White space before the XML declaration,
// which editors leave and XML forbids, is dropped. Throws BookFailure when the charset cannot
// be told.
QString markupCharacters(std::string_view bytes);

// Whether QXmlStreamReader, given the bytes as they are, reads them just as markupCharacters
// would: no byte order mark, nothing before the declaration, and UTF-8 or UTF-16 as declared,
// or UTF-8 when nothing is declared.
bool readsAsTheyAre(std::string_view bytes);

}  // namespace orvell::books
