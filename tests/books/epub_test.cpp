// EPUB 2 and 3 books: the spine's documents in reading order, each converted from XHTML.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "books/book_text.h"
#include "tests/books/encoded.h"
#include "tests/books/epub_books.h"

namespace orvell::books {
namespace {

using namespace test;

const std::string kMarkedUp = xhtml(R"(
 <h1>Глава&nbsp;2</h1>
 <p>Первая строка<br/>вторая&#160;— <em>курсив</em>
    &amp; &laquo;кавычки&raquo;&hellip; &unknown;</p>
 <script>var hidden = 1;</script><style>p { margin: 0 }</style>
 <ul><li>один</li><li>два</li></ul>
 <table><tr><td>a</td><td>b</td></tr></table>
 <blockquote><div>цитата <span>в</span> <b>тексте</b></div></blockquote>)");

const std::u16string kMarkedUpText =
    u"Глава\u00A02\nПервая строка\nвторая\u00A0— курсив & «кавычки»… &unknown;\nодин\nдва\na "
    u"b\nцитата в тексте\n";

TEST(Epub, Version2ReadsTheSpineInItsOwnOrder) {
    const std::string book =
        zipOf(epubFiles({xhtml("<p>Конец.</p>"), kMarkedUp, xhtml("<p>Начало.</p>")}));
    const BookText read = decodeBook(book, "book.epub");
    EXPECT_EQ(read.reason, u"");
    EXPECT_TRUE(read.text == u"Начало.\n" + kMarkedUpText + u"Конец.\n");
}

TEST(Epub, Version3SkipsTheNavigationDocumentAndNonLinearItemsAndReadsObfuscatedFonts) {
    const std::string items = R"(
  <item id="nav" href="nav.xhtml" media-type="application/xhtml+xml" properties="nav"/>
  <item id="cover" href="cover.xhtml" media-type="application/xhtml+xml"/>
  <item id="one" href="one.xhtml" media-type="application/xhtml+xml"/>
  <item id="two" href="sub/../two.xhtml#start" media-type="application/xhtml+xml"/>
  <item id="font" href="font.otf" media-type="font/otf"/>)";
    const std::string spine = R"(
  <itemref idref="cover" linear="no"/><itemref idref="nav"/>
  <itemref idref="two"/><itemref idref="one" linear="yes"/>)";
    const std::string html5 = R"(<?xml version="1.0" encoding="UTF-8"?><!DOCTYPE html>
<html xmlns="http://www.w3.org/1999/xhtml"><head><title>x</title></head><body>)";
    const std::string book = zipOf({
        {"mimetype", "application/epub+zip"},
        {"META-INF/container.xml", kContainerXml},
        {"META-INF/encryption.xml",
         R"(<encryption xmlns="urn:oasis:names:tc:opendocument:xmlns:container"
              xmlns:enc="http://www.w3.org/2001/04/xmlenc#"><enc:EncryptedData>
  <enc:EncryptionMethod Algorithm="http://www.idpf.org/2008/embedding"/>
  <enc:CipherData><enc:CipherReference URI="OEBPS/font.otf"/></enc:CipherData>
 </enc:EncryptedData></encryption>)"},
        {"OEBPS/content.opf", packageXml("3.0", items, spine)},
        {"OEBPS/nav.xhtml", html5 + "<nav><ol><li>Оглавление</li></ol></nav></body></html>"},
        {"OEBPS/cover.xhtml", html5 + "<p>Обложка</p></body></html>"},
        {"OEBPS/one.xhtml", html5 + "<section><p>Второе.</p></section></body></html>"},
        {"OEBPS/two.xhtml", html5 + "<section><h2>Первое.</h2></section></body></html>"},
        {"OEBPS/font.otf", std::string(64, '\x7F')},
    });
    const BookText read = decodeBook(book, "book.epub");
    EXPECT_EQ(read.reason, u"");
    EXPECT_TRUE(read.text == u"Первое.\nВторое.\n");
}

// Links that readers and validators take: blanks around ids, references and paths, a path
// from the archive's root, and a name spelled in another Unicode normal form than the entry's.
TEST(Epub, LinksAreReadAsXmlAndTheArchiveSpellThem) {
    struct Case {
        const char* label;
        std::string id;
        std::string idref;
        std::string href;
        std::string entry;  // the document's name in the archive
    };
    const auto cases = std::to_array<Case>({
        {"blanks around the id", " c ", "c", "c.xhtml", "OEBPS/c.xhtml"},
        {"blanks around the reference", "c", "\tc ", "c.xhtml", "OEBPS/c.xhtml"},
        {"blanks around the path", "c", "c", " c.xhtml ", "OEBPS/c.xhtml"},
        {"a path from the archive's root", "c", "c", "/OEBPS/c.xhtml", "OEBPS/c.xhtml"},
        {"a decomposed link to a composed name", "c", "c", "Glu\u0308ck/u\u0308.xhtml",
         "OEBPS/Gl\u00FCck/\u00FC.xhtml"},
        {"a composed, percent-encoded link to a decomposed name", "c", "c",
         "Gl%C3%BCck/%C3%BC.xhtml", "OEBPS/Glu\u0308ck/u\u0308.xhtml"},
    });
    for (const Case& c : cases) {
        const std::string items = R"(<item id=")" + c.id + R"(" href=")" + c.href +
                                  R"(" media-type="application/xhtml+xml"/>)";
        const std::string book =
            zipOf({{"META-INF/container.xml", kContainerXml},
                   {"OEBPS/content.opf",
                    packageXml("3.0", items, R"(<itemref idref=")" + c.idref + R"("/>)")},
                   {c.entry, xhtml("<p>Текст.</p>")}});
        const BookText read = decodeBook(book, "book.epub");
        EXPECT_EQ(read.reason, u"") << c.label;
        EXPECT_TRUE(read.text == u"Текст.\n") << c.label;
    }
}

// Spine documents of the media types that came before XHTML in EPUB 2: each read as text, with
// its chapters when the book has no table of contents.
TEST(Epub, OlderDocumentTypesAreReadWithTheirChapters) {
    struct Case {
        const char* label;
        const char* mediaType;
        std::string document;
        std::u16string text;
        std::vector<std::string> titles;  // of the chapters
    };
    const std::vector<Case> cases = {
        {"an OEB 1.2 document",
         "text/x-oeb1-document",
         R"(<?xml version="1.0"?>
<!DOCTYPE html PUBLIC "+//ISBN 0-9673008-1-9//DTD OEB 1.2 Document//EN"
  "http://openebook.org/dtds/oeb-1.2/oebdoc12.dtd">
<html xmlns="http://openebook.org/namespaces/oeb-document/1.0/"><head><title>Окно</title></head>
<body><h1>Глава первая</h1><p>Текст <em>главы</em>.</p></body></html>)",
         u"Глава первая\nТекст главы.\n",
         {"Глава первая"}},
        {"DTBook: h1 and a level's hd are chapters, a list's hd is not; page numbers left out",
         "application/x-dtbook+xml",
         R"(<?xml version="1.0" encoding="UTF-8"?>
<dtbook xmlns="http://www.daisy.org/z3986/2005/dtbook/" version="2005-3">
<head><meta name="dc:Title" content="Книга"/></head>
<book><bodymatter>
 <level1 id="one"><h1>Глава <em>первая</em></h1><pagenum page="normal">7</pagenum>
  <p>Текст <sent>первой</sent>.</p>
  <list type="ul"><hd>Список</hd><li>один</li><li>два</li></list></level1>
 <level><hd>Глава вторая</hd><p>Текст второй.</p></level>
</bodymatter></book></dtbook>)",
         u"Глава первая\nТекст первой.\nСписок\nодин\nдва\nГлава вторая\nТекст второй.\n",
         {"Глава первая", "Глава вторая"}},
    };
    for (const Case& c : cases) {
        const std::string items =
            std::string(R"(<item id="d" href="d.xml" media-type=")") + c.mediaType + R"("/>)";
        const std::string book =
            zipOf({{"META-INF/container.xml", kContainerXml},
                   {"OEBPS/content.opf", packageXml("2.0", items, R"(<itemref idref="d"/>)")},
                   {"OEBPS/d.xml", c.document}});
        const BookText read = decodeBook(book, "book.epub");
        EXPECT_EQ(read.reason, u"") << c.label;
        EXPECT_EQ(utf8(read.text), utf8(c.text)) << c.label;
        std::vector<std::string> titles(read.chapters.size());
        std::ranges::transform(read.chapters, titles.begin(),
                               [](const Chapter& chapter) { return utf8(chapter.title); });
        EXPECT_EQ(titles, c.titles) << c.label;
    }
}

}  // namespace
}  // namespace orvell::books
