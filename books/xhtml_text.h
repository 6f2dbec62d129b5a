#pragma once

#include <QHash>
#include <QString>
#include <optional>
#include <string_view>

#include "books/book_failure.h"

namespace orvell::books {

// The text of one XHTML document, one block per line: block elements (paragraphs, headings,
// list items, divisions, quotations, table rows, line breaks) end lines; the head, scripts and
// styles are left out.
struct XhtmlText {
    QString text;
    int pictures = 0;  // images and SVG drawings passed
    // Where in the text the line holding each element with an id (or <a> with a name) starts:
    // the places a table of contents points to.
    QHash<QString, qsizetype> ids;
    // Where the XML first broke, when it did: the text is then what an HTML parser reads, as
    // browsers read tag soup.
    std::optional<BrokenMarkup> broken;
};

// Throws BookFailure for what no parser may read: nesting too deep, entities of its own.
XhtmlText xhtmlText(std::string_view bytes, int maxDepth);

}  // namespace orvell::books
