#include "books/xhtml_text.h"

#include <algorithm>
#include <array>

#include "books/markup_text.h"

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
    if (name == u"td" || name == u"th") return Markup::Cell;
    return isBlock(name) ? Markup::Block : Markup::Inline;
}

}  // namespace

void addXhtmlText(std::string_view bytes, int maxDepth, TextLines& lines) {
    XmlReader xml(bytes, maxDepth);
    addMarkupText(xml, xhtmlMarkup, lines);
}

}  // namespace orvell::books
