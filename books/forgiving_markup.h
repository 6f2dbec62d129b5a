#pragma once

#include <QString>
#include <string>

namespace orvell::books {

enum class MarkupDialect {
    Xml,   // FB2: a recovering XML parser
    Html,  // EPUB content documents: an HTML parser, which reads tag soup as browsers do
};

// What a forgiving parser (libxml2) reads in a document that is not well-formed, written out
// again as well-formed XML in UTF-8: one root, every element closed, elements and attributes
// under their local names, and the text. An XmlReader reads it as the document meant.
//
// The limits stay those of XmlReader: nesting deeper than `maxDepth` throws the same
// BookFailure, and so does an entity declaration of the document's own in the XML dialect;
// only the five entities of XML and those of HTML are known, and nothing is loaded from
// outside the document, neither a DTD nor an XInclude, from the network or from a file.
std::string recoveredMarkup(const QString& characters, MarkupDialect dialect, int maxDepth);

}  // namespace orvell::books
