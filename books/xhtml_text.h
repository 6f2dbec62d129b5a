#pragma once

#include <QHash>
#include <QString>
#include <optional>
#include <string_view>
#include <vector>

#include "books/book_failure.h"
#include "books/chapters.h"

namespace orvell::books {

// The vocabularies of the documents a spine reads.
enum class Content {
    Xhtml,   // also OEB 1.2's
    Dtbook,  // DAISY's, which EPUB 2 also reads
};

// The text of one XHTML document, one block per line: block elements (paragraphs, headings,
// list items, divisions, quotations, table rows, line breaks) end lines; the head, scripts and
// styles are left out. DTBook reads as XHTML, with its levels, headings (hd) and lists as
// blocks, and without the page numbers of the printed book.
struct XhtmlText {
    QString text;
    int pictures = 0;  // images and SVG drawings passed
    // Where in the text the line holding each element with an id (or <a> with a name) starts:
    // the places a table of contents points to.
    QHash<QString, qsizetype> ids;
    // DTBook's headings, each where its line starts: a DTBook document is often a whole book.
    std::vector<ChapterMark> headings;
    // Where the XML first broke, when it did: the text is then what an HTML parser reads, as
    // browsers read tag soup, or for DTBook a recovering XML parser.
    std::optional<BrokenMarkup> broken;
};

// Throws BookFailure for what no parser may read: nesting too deep, entities of its own.
XhtmlText xhtmlText(std::string_view bytes, int maxDepth, Content content);

}  // namespace orvell::books
