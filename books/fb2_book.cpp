#include "books/fb2_book.h"

#include <algorithm>
#include <array>

#include "books/book_failure.h"
#include "books/forgiving_markup.h"
#include "books/markup_charset.h"
#include "books/markup_text.h"

namespace orvell::books {

namespace {

// Within a body, only emphasis, links and the like run within a block.
Markup fb2Markup(QStringView name) {
    static constexpr auto kInline =
        std::to_array<QStringView>({u"emphasis", u"strong", u"a", u"strikethrough", u"sub", u"sup",
                                    u"code", u"style", u"image"});
    if (name == u"empty-line") return Markup::EmptyLine;
    const bool isInline = std::ranges::find(kInline, name) != kInline.end();
    return isInline ? Markup::Inline : Markup::Block;
}

bool isNotesBody(const XmlReader& xml) {
    const QStringView name = xml.attribute("name");
    return name == u"notes" || name == u"comments";
}

// The description, inside the element just started: only the first book title is kept.
void readDescription(XmlReader& xml, TextLines& lines) {
    const int depth = xml.depth();
    bool titled = false;
    while (xml.depth() >= depth) {
        if (xml.next() == QXmlStreamReader::StartElement && xml.name() == u"book-title" &&
            !titled) {
            lines.addText(xml.elementText());
            lines.endLine();
            titled = true;
        }
    }
}

QString fb2Text(XmlReader& xml) {
    TextLines lines;
    bool bodied = false;
    for (auto token = xml.next(); token != QXmlStreamReader::EndDocument; token = xml.next()) {
        if (token != QXmlStreamReader::StartElement) continue;
        if (xml.depth() == 1) {
            if (xml.name() != u"FictionBook") throw BookFailure(u"это не книга FB2");
        } else if (xml.depth() == 2 && xml.name() == u"description") {
            readDescription(xml, lines);
        } else if (xml.depth() == 2 && xml.name() == u"body" && !isNotesBody(xml)) {
            addMarkupText(xml, fb2Markup, lines);
            bodied = true;
        } else if (xml.depth() == 2) {
            xml.skipElement();
        }
    }
    if (!bodied) throw BookFailure(u"в книге FB2 нет текста: нет раздела <body>");
    return lines.take();
}

std::u16string damageAt(const BrokenMarkup& broken, qsizetype characters) {
    const std::u16string line = decimal(static_cast<std::uintmax_t>(broken.line()));
    if (broken.cutShort()) return u"файл обрывается в строке " + line + u": конец книги утерян";
    const auto rest =
        static_cast<std::uintmax_t>(std::max<qsizetype>(characters - broken.offset(), 0));
    return broken.reason() + u"; текст с этого места до конца (" +
           percent(rest, static_cast<std::uintmax_t>(characters)) +
           u" книги) прочитан, насколько удалось";
}

}  // namespace

BookText fb2Book(std::string_view bytes, int maxDepth) {
    try {
        XmlReader xml(bytes, maxDepth);
        return {fb2Text(xml).toStdU16String(), {}, {}};
    } catch (const BrokenMarkup& broken) {
        const QString characters = markupCharacters(bytes);
        const std::string recovered = recoveredMarkup(characters, MarkupDialect::Xml, maxDepth);
        if (recovered.empty()) throw;
        XmlReader xml(recovered, maxDepth);
        return {fb2Text(xml).toStdU16String(), {}, {damageAt(broken, characters.size())}};
    }
}

}  // namespace orvell::books
