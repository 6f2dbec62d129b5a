#pragma once

#include <QStringView>
#include <functional>

#include "books/text_lines.h"
#include "books/xml_reader.h"

namespace orvell::books {

// What an element of a marked-up book does to the lines of its text.
enum class Markup {
    Inline,     // runs within the line: emphasis, links
    Block,      // a line of its own: paragraphs, headings, containers of them
    Cell,       // a table cell: set off by a blank
    EmptyLine,  // an empty line
    Hidden,     // left out with all it holds
    Picture,    // an image: runs within the line like Inline, and is counted
};

// Told of each element not hidden as the walk starts (`start`) and ends it, once its markup has
// taken effect, with where the line holding it starts in the text: for chapter marks.
using MarkupWatch = std::function<void(const XmlReader& xml, bool start, qsizetype lineStart)>;

// Adds the text within the element whose start was the last token, or of the whole document
// before its first token, to `lines`, each element as `markupOf` its name says. Returns how
// many pictures it passed.
int addMarkupText(XmlReader& xml, Markup (*markupOf)(QStringView name), TextLines& lines,
                  const MarkupWatch& watch = {});

}  // namespace orvell::books
