#include "books/fb2_book.h"

#include <algorithm>
#include <array>

#include "books/book_failure.h"
#include "books/chapters.h"
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

// The top-level sections of the main bodies, as the walk meets them: each is a chapter.
class Sections {
  public:
    void watch(const XmlReader& xml, bool start, qsizetype lineStart);
    // Those that gave text, titled by their <title>, else by their first line.
    std::vector<ChapterMark> marks(QStringView text) const;

  private:
    static constexpr int kSectionDepth = 3;  // FictionBook, body, section

    // Where in the text it and its title start and end; -1 for what the walk has not met.
    struct Section {
        qsizetype start = 0;
        qsizetype end = -1;
        qsizetype titleStart = -1;
        qsizetype titleEnd = -1;
    };
    std::vector<Section> sections_;
};

void Sections::watch(const XmlReader& xml, bool start, qsizetype lineStart) {
    // An end is told once the reader has left the element.
    const int depth = start ? xml.depth() : xml.depth() + 1;
    if (depth == kSectionDepth && xml.name() == u"section") {
        if (start) {
            sections_.push_back({lineStart});
        } else {
            sections_.back().end = lineStart;
        }
        return;
    }
    if (depth != kSectionDepth + 1 || xml.name() != u"title" || sections_.empty()) return;
    Section& section = sections_.back();
    if (section.end >= 0) return;
    if (start && section.titleStart < 0) section.titleStart = lineStart;
    if (!start && section.titleEnd < 0) section.titleEnd = lineStart;
}

std::vector<ChapterMark> Sections::marks(QStringView text) const {
    std::vector<ChapterMark> marks;
    for (const Section& section : sections_) {
        if (section.end <= section.start) continue;
        const bool titled = section.titleEnd >= 0;
        marks.push_back(
            {section.start,
             titled
                 ? text.sliced(section.titleStart, section.titleEnd - section.titleStart).toString()
                 : openingLine(text, section.start)});
    }
    return marks;
}

BookText fb2Text(XmlReader& xml) {
    TextLines lines;
    Sections sections;
    const MarkupWatch watch = [&sections](const XmlReader& element, bool start,
                                          qsizetype lineStart) {
        sections.watch(element, start, lineStart);
    };
    bool bodied = false;
    qsizetype bodyText = 0;  // characters the main bodies gave
    for (auto token = xml.next(); token != QXmlStreamReader::EndDocument; token = xml.next()) {
        if (token != QXmlStreamReader::StartElement) continue;
        if (xml.depth() == 1) {
            if (xml.name() != u"FictionBook") throw BookFailure(u"это не книга FB2");
        } else if (xml.depth() == 2 && xml.name() == u"description") {
            readDescription(xml, lines);
        } else if (xml.depth() == 2 && xml.name() == u"body" && !isNotesBody(xml)) {
            const qsizetype before = lines.lineStart();
            addMarkupText(xml, fb2Markup, lines, watch);
            bodyText += lines.lineStart() - before;
            bodied = true;
        } else if (xml.depth() == 2) {
            xml.skipElement();
        }
    }
    if (!bodied) throw BookFailure(u"в книге FB2 нет текста: нет раздела <body>");
    // The description's titles alone are no book to read.
    if (bodyText == 0) throw BookFailure(u"в книге FB2 нет текста");
    const QString text = lines.take();
    return {text.toStdU16String(), {}, {}, chaptersOf(sections.marks(text), text.size())};
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
        return fb2Text(xml);
    } catch (const BrokenMarkup& broken) {
        const QString characters = markupCharacters(bytes);
        const std::string recovered = recoveredMarkup(characters, MarkupDialect::Xml, maxDepth);
        if (recovered.empty()) throw;
        XmlReader xml(recovered, maxDepth);
        BookText book = fb2Text(xml);
        book.damage.push_back(damageAt(broken, characters.size()));
        return book;
    }
}

std::u16string fb2Title(std::string_view start, int maxDepth) {
    static constexpr auto kPath =
        std::to_array<QStringView>({u"FictionBook", u"description", u"title-info", u"book-title"});
    try {
        XmlReader xml(start, maxDepth);
        for (auto token = xml.next(); token != QXmlStreamReader::EndDocument; token = xml.next()) {
            if (token != QXmlStreamReader::StartElement) continue;
            const auto depth = static_cast<std::size_t>(xml.depth());
            if (xml.name() == kPath.at(depth - 1)) {
                if (depth == kPath.size()) return xml.elementText().simplified().toStdU16String();
            } else if (depth <= 2) {
                return {};  // not an FB2, or past its description
            } else {
                xml.skipElement();
            }
        }
    } catch (const BookFailure&) {
        return {};  // cut off before the title, or no XML
    }
    return {};
}

}  // namespace orvell::books
