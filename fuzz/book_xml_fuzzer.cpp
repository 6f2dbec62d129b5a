// Reads arbitrary bytes as an FB2 book, as one XHTML or DTBook document of an EPUB book, and
// through the forgiving parser in both its dialects.
//
// What holds for any bytes: the book is read or refused with a reason, never both, however
// deep, broken or entity-laden the XML; the forgiving parser writes well-formed XML no deeper
// than the limit, or refuses with a reason. A text read is made of lines: LF line breaks only, and
// XML white space turned into single blanks within a line, none at either end of it. Its chapters
// are in ascending order, each at the start of a line within the text, titled with one line.

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "books/book_failure.h"
#include "books/book_text.h"
#include "books/forgiving_markup.h"
#include "books/xhtml_text.h"
#include "fuzz/require.h"

namespace {

constexpr int kMaxDepth = 64;

void requireLines(std::u16string_view text) {
    ORVELL_REQUIRE(text.find_first_of(u"\r\t") == std::u16string_view::npos);
    ORVELL_REQUIRE(text.find(u"  ") == std::u16string_view::npos);
    ORVELL_REQUIRE(text.find(u" \n") == std::u16string_view::npos);
    ORVELL_REQUIRE(text.find(u"\n ") == std::u16string_view::npos);
    ORVELL_REQUIRE(!text.starts_with(u' ') && !text.ends_with(u' '));
}

void requireChapters(const orvell::books::BookText& book) {
    std::int32_t previous = -1;
    for (const orvell::books::Chapter& chapter : book.chapters) {
        ORVELL_REQUIRE(chapter.position > previous);
        const auto position = static_cast<std::size_t>(chapter.position);
        ORVELL_REQUIRE(position < book.text.size());
        ORVELL_REQUIRE(position == 0 || book.text[position - 1] == u'\n');
        ORVELL_REQUIRE(!chapter.title.empty() && chapter.title.find(u'\n') == std::u16string::npos);
        previous = chapter.position;
    }
}

// DTBook's headings each start a line of the document's text.
void requireLineStarts(const orvell::books::XhtmlText& read) {
    for (const orvell::books::ChapterMark& heading : read.headings) {
        ORVELL_REQUIRE(heading.position >= 0 && heading.position <= read.text.size());
        ORVELL_REQUIRE(heading.position == 0 || read.text[heading.position - 1] == u'\n');
    }
}

// What the forgiving parser writes is read by a strict one without an error, within the depth.
void requireWellFormed(const std::string& xml) {
    if (xml.empty()) return;
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    int depth = 0;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) ORVELL_REQUIRE(++depth <= kMaxDepth);
        if (token == QXmlStreamReader::EndElement) --depth;
    }
    ORVELL_REQUIRE(!reader.hasError());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = orvell::fuzz::bytesOf(data, size);
    orvell::books::DecodeLimits limits;
    limits.maxDepth = kMaxDepth;
    const orvell::books::BookText book = orvell::books::decodeBook(bytes, "fuzz.fb2", limits);
    if (book.ok()) {
        requireLines(book.text);
        requireChapters(book);
    } else {
        ORVELL_REQUIRE(book.text.empty());
    }

    for (const auto content : {orvell::books::Content::Xhtml, orvell::books::Content::Dtbook}) {
        try {
            const orvell::books::XhtmlText read =
                orvell::books::xhtmlText(bytes, kMaxDepth, content);
            requireLines(read.text.toStdU16String());
            requireLineStarts(read);
        } catch (const orvell::books::BookFailure& failure) {
            ORVELL_REQUIRE(!failure.reason().empty());
        }
    }

    const QString characters =
        QString::fromUtf8(QByteArrayView(data, static_cast<qsizetype>(size)));
    for (const auto dialect :
         {orvell::books::MarkupDialect::Xml, orvell::books::MarkupDialect::Html}) {
        try {
            requireWellFormed(orvell::books::recoveredMarkup(characters, dialect, kMaxDepth));
        } catch (const orvell::books::BookFailure& failure) {
            ORVELL_REQUIRE(!failure.reason().empty());
        }
    }
    return 0;
}
