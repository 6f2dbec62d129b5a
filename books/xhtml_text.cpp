#include "books/xhtml_text.h"

#include <algorithm>
#include <array>

#include "books/forgiving_markup.h"
#include "books/markup_charset.h"
#include "books/markup_text.h"
#include "books/text_lines.h"
#include "books/xml_reader.h"

namespace orvell::books {

namespace {

bool isBlock(QStringView name) {
    static constexpr auto kBlocks = std::to_array<QStringView>(
        {u"p",       u"h1",    u"h2",         u"h3",     u"h4",  u"h5",     u"h6",
         u"li",      u"div",   u"blockquote", u"br",     u"tr",  u"body",   u"section",
         u"article", u"aside", u"header",     u"footer", u"nav", u"figure", u"figcaption",
         u"ul",      u"ol",    u"dl",         u"dt",     u"dd",  u"table",  u"caption",
         u"pre",     u"hr",    u"address",    u"main"});
    return std::ranges::find(kBlocks, name) != kBlocks.end();
}

Markup xhtmlMarkup(QStringView name) {
    if (name == u"head" || name == u"script" || name == u"style") return Markup::Hidden;
    if (name == u"img" || name == u"svg" || name == u"image") return Markup::Picture;
    if (name == u"td" || name == u"th") return Markup::Cell;
    return isBlock(name) ? Markup::Block : Markup::Inline;
}

// The first element of an id is the one it names.
void addIds(const XmlReader& xml, qsizetype lineStart, QHash<QString, qsizetype>& ids) {
    for (const QStringView id :
         {xml.attribute("id"), xml.name() == u"a" ? xml.attribute("name") : QStringView()}) {
        if (!id.isEmpty() && !ids.contains(id.toString())) ids.insert(id.toString(), lineStart);
    }
}

XhtmlText textOf(std::string_view xml, int maxDepth) {
    XmlReader reader(xml, maxDepth);
    TextLines lines;
    QHash<QString, qsizetype> ids;
    const int pictures =
        addMarkupText(reader, xhtmlMarkup, lines,
                      [&ids](const XmlReader& element, bool start, qsizetype lineStart) {
                          if (start) addIds(element, lineStart, ids);
                      });
    return {lines.take(), pictures, std::move(ids), std::nullopt};
}

}  // namespace

XhtmlText xhtmlText(std::string_view bytes, int maxDepth) {
    try {
        return textOf(bytes, maxDepth);
    } catch (const BrokenMarkup& broken) {
        const std::string recovered =
            recoveredMarkup(markupCharacters(bytes), MarkupDialect::Html, maxDepth);
        XhtmlText read = recovered.empty() ? XhtmlText() : textOf(recovered, maxDepth);
        read.broken = broken;
        return read;
    }
}

}  // namespace orvell::books
