#include "books/xhtml_text.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "books/forgiving_markup.h"
#include "books/markup_charset.h"
#include "books/markup_text.h"
#include "books/text_lines.h"
#include "books/xml_reader.h"

namespace orvell::books {

namespace {

template <std::size_t N>
bool isAmong(QStringView name, const std::array<QStringView, N>& names) {
    return std::ranges::find(names, name) != names.end();
}

bool isBlock(QStringView name) {
    static constexpr auto kBlocks = std::to_array<QStringView>(
        {u"p",       u"h1",    u"h2",         u"h3",     u"h4",  u"h5",     u"h6",
         u"li",      u"div",   u"blockquote", u"br",     u"tr",  u"body",   u"section",
         u"article", u"aside", u"header",     u"footer", u"nav", u"figure", u"figcaption",
         u"ul",      u"ol",    u"dl",         u"dt",     u"dd",  u"table",  u"caption",
         u"pre",     u"hr",    u"address",    u"main"});
    return isAmong(name, kBlocks);
}

Markup xhtmlMarkup(QStringView name) {
    if (name == u"head" || name == u"script" || name == u"style") return Markup::Hidden;
    if (name == u"img" || name == u"svg" || name == u"image") return Markup::Picture;
    if (name == u"td" || name == u"th") return Markup::Cell;
    return isBlock(name) ? Markup::Block : Markup::Inline;
}

bool isHeading(QStringView name) {
    static constexpr auto kHeadings =
        std::to_array<QStringView>({u"h1", u"h2", u"h3", u"h4", u"h5", u"h6"});
    return isAmong(name, kHeadings);
}

bool isLevel(QStringView name) {
    static constexpr auto kLevels = std::to_array<QStringView>(
        {u"level", u"level1", u"level2", u"level3", u"level4", u"level5", u"level6"});
    return isAmong(name, kLevels);
}

// DTBook's own blocks; the rest of its vocabulary is XHTML's.
Markup dtbookMarkup(QStringView name) {
    static constexpr auto kBlocks = std::to_array<QStringView>(
        {u"hd", u"list", u"doctitle", u"docauthor", u"covertitle", u"bridgehead", u"line",
         u"linegroup", u"poem", u"epigraph", u"byline", u"dateline", u"sidebar", u"note",
         u"annotation", u"prodnote", u"imggroup"});
    // The printed book's page and line numbers would read as words of the text.
    if (name == u"pagenum" || name == u"linenum") return Markup::Hidden;
    return isLevel(name) || isAmong(name, kBlocks) ? Markup::Block : xhtmlMarkup(name);
}

// DTBook's headings as the walk meets them: h1-h6, and hd where it heads a level rather than a
// list or a sidebar.
class Headings {
  public:
    void watch(const XmlReader& xml, bool start, qsizetype lineStart);
    std::vector<ChapterMark> marks(QStringView text) const;

  private:
    // Where its line starts and where the line after it does; -1 while it is being read.
    struct Heading {
        qsizetype start = 0;
        qsizetype end = -1;
    };
    std::vector<Heading> headings_;
    int depth_ = 0;             // of the heading being read, 0 when none is
    bool levelOpened_ = false;  // the last element met is a level just started
};

void Headings::watch(const XmlReader& xml, bool start, qsizetype lineStart) {
    const QStringView name = xml.name();
    if (start && depth_ == 0 && (isHeading(name) || (name == u"hd" && levelOpened_))) {
        headings_.push_back({lineStart});
        depth_ = xml.depth();
    } else if (!start && xml.depth() + 1 == depth_) {
        // An end is told once the reader has left the element.
        headings_.back().end = lineStart;
        depth_ = 0;
    }
    levelOpened_ = start && isLevel(name);
}

std::vector<ChapterMark> Headings::marks(QStringView text) const {
    std::vector<ChapterMark> marks;
    marks.reserve(headings_.size());
    for (const Heading& heading : headings_) {
        if (heading.end < heading.start) continue;
        marks.push_back(
            {heading.start, text.sliced(heading.start, heading.end - heading.start).toString()});
    }
    return marks;
}

// The first element of an id is the one it names.
void addIds(const XmlReader& xml, qsizetype lineStart, QHash<QString, qsizetype>& ids) {
    for (const QStringView id :
         {xml.attribute("id"), xml.name() == u"a" ? xml.attribute("name") : QStringView()}) {
        if (!id.isEmpty() && !ids.contains(id.toString())) ids.insert(id.toString(), lineStart);
    }
}

XhtmlText textOf(std::string_view xml, int maxDepth, Content content) {
    XmlReader reader(xml, maxDepth);
    TextLines lines;
    QHash<QString, qsizetype> ids;
    Headings headings;
    const bool dtbook = content == Content::Dtbook;
    const int pictures =
        addMarkupText(reader, dtbook ? dtbookMarkup : xhtmlMarkup, lines,
                      [&](const XmlReader& element, bool start, qsizetype lineStart) {
                          if (start) addIds(element, lineStart, ids);
                          if (dtbook) headings.watch(element, start, lineStart);
                      });
    QString text = lines.take();
    std::vector<ChapterMark> marks = headings.marks(text);
    return {std::move(text), pictures, std::move(ids), std::move(marks), std::nullopt};
}

}  // namespace

XhtmlText xhtmlText(std::string_view bytes, int maxDepth, Content content) {
    try {
        return textOf(bytes, maxDepth, content);
    } catch (const BrokenMarkup& broken) {
        const MarkupDialect dialect =
            content == Content::Dtbook ? MarkupDialect::Xml : MarkupDialect::Html;
        const std::string recovered = recoveredMarkup(markupCharacters(bytes), dialect, maxDepth);
        XhtmlText read = recovered.empty() ? XhtmlText() : textOf(recovered, maxDepth, content);
        read.broken = broken;
        return read;
    }
}

}  // namespace orvell::books
