#include "books/xhtml_text.h"

#include <algorithm>
#include <iterator>

#include "books/xml_reader.h"

namespace orvell::books {

namespace {

bool isBlock(QStringView name) {
    static constexpr QStringView kBlocks[] = {
        u"p",       u"h1",    u"h2",         u"h3",     u"h4",  u"h5",     u"h6",
        u"li",      u"div",   u"blockquote", u"br",     u"tr",  u"body",   u"section",
        u"article", u"aside", u"header",     u"footer", u"nav", u"figure", u"figcaption",
        u"ul",      u"ol",    u"dl",         u"dt",     u"dd",  u"table",  u"caption",
        u"pre",     u"hr",    u"address",    u"main"};
    return std::find(std::begin(kBlocks), std::end(kBlocks), name) != std::end(kBlocks);
}

bool isSkipped(QStringView name) {
    return name == u"head" || name == u"script" || name == u"style";
}

}  // namespace

void addXhtmlText(std::string_view bytes, int maxDepth, TextLines& lines) {
    XmlReader xml(bytes, maxDepth);
    for (auto token = xml.next(); token != QXmlStreamReader::EndDocument; token = xml.next()) {
        switch (token) {
            case QXmlStreamReader::StartElement:
                if (isSkipped(xml.name())) {
                    xml.skipElement();
                } else if (isBlock(xml.name())) {
                    lines.endLine();
                } else if (xml.name() == u"td" || xml.name() == u"th") {
                    lines.addText(u" ");
                }
                break;
            case QXmlStreamReader::EndElement:
                if (isBlock(xml.name())) lines.endLine();
                break;
            case QXmlStreamReader::Characters:
                lines.addText(xml.text());
                break;
            default:
                break;
        }
    }
    lines.endLine();
}

}  // namespace orvell::books
