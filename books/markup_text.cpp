#include "books/markup_text.h"

namespace orvell::books {

int addMarkupText(XmlReader& xml, Markup (*markupOf)(QStringView name), TextLines& lines,
                  const MarkupWatch& watch) {
    const int depth = xml.depth();
    int pictures = 0;
    for (auto token = xml.next(); token != QXmlStreamReader::EndDocument && xml.depth() >= depth;
         token = xml.next()) {
        if (token == QXmlStreamReader::Characters) {
            lines.addText(xml.text());
            continue;
        }
        if (token != QXmlStreamReader::StartElement && token != QXmlStreamReader::EndElement) {
            continue;
        }
        const bool start = token == QXmlStreamReader::StartElement;
        const Markup markup = markupOf(xml.name());
        switch (markup) {
            case Markup::Inline:
                break;
            case Markup::Block:
                lines.endLine();
                break;
            case Markup::Cell:
                lines.addText(u" ");
                break;
            case Markup::EmptyLine:
                if (start) lines.addEmptyLine();
                break;
            case Markup::Hidden:
                if (start) xml.skipElement();
                break;
            case Markup::Picture:
                if (start) ++pictures;
                break;
        }
        if (watch && markup != Markup::Hidden) watch(xml, start, lines.lineStart());
    }
    lines.endLine();
    return pictures;
}

}  // namespace orvell::books
