// Chapter marks: the top-level sections of an FB2 book, the table of contents of an EPUB book
// (or each of its documents when it has none), none for a plain text. Each mark is at the start
// of the line its chapter begins with, in the text as the reader holds it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "books/book_text.h"
#include "tests/books/encoded.h"
#include "tests/books/epub_books.h"

namespace orvell::books {
namespace {

using namespace test;

const std::u16string kLongLine =
    u"Без заглавия, зато с первой строкой длиннее шестидесяти знаков: её обрезают";

std::string fb2(const std::string& body) {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<FictionBook><description><title-info><book-title>Книга</book-title></title-info></description>
<body><title><p>Заглавие тела</p></title><epigraph><p>Эпиграф</p></epigraph>)" +
           body + R"(</body>
<body name="notes"><section><title><p>Сноски</p></title><p>1</p></section></body></FictionBook>)";
}

// An EPUB 3 book whose navigation document, in a folder of its own, lists landmarks first.
std::string epubWithNavigation() {
    const std::string items = R"(
  <item id="nav" href="nav/toc.xhtml" media-type="application/xhtml+xml" properties="nav"/>
  <item id="a" href="a.xhtml" media-type="application/xhtml+xml"/>
  <item id="b" href="b%20doc.xhtml" media-type="application/xhtml+xml"/>)";
    const std::string navigation = R"(<?xml version="1.0" encoding="UTF-8"?>
<html xmlns="http://www.w3.org/1999/xhtml" xmlns:epub="http://www.idpf.org/2007/ops"><body>
<nav epub:type="landmarks"><ol><li><a href="../a.xhtml#inline">Ориентир</a></li></ol></nav>
<nav epub:type="toc"><ol>
 <li><a href="../a.xhtml">  Начало
   </a><ol><li><a href="../a.xhtml#two">Раздел два</a></li>
       <li><a href="../a.xhtml#inline"><span>Посреди</span> строки</a></li></ol></li>
 <li><a href="../b%20doc.xhtml#later">Потом</a></li>
 <li><a href="../b%20doc.xhtml#missing">Вторая</a></li>
 <li><a href="../a.xhtml#anchor">Тот же раздел</a></li>
 <li><a href="../gone.xhtml">Нет в книге</a></li>
</ol></nav></body></html>)";
    return zipOf({
        {"mimetype", "application/epub+zip"},
        {"META-INF/container.xml", kContainerXml},
        {"OEBPS/content.opf",
         packageXml("3.0", items, R"(<itemref idref="a"/><itemref idref="b"/>)")},
        {"OEBPS/nav/toc.xhtml", navigation},
        {"OEBPS/a.xhtml", xhtml(R"(<h1>Начало</h1><p>Первый абзац.</p>
<h2 id="two">Раздел <a name="anchor"/>два</h2><p>Текст <span id="inline">посреди</span> строки.</p>)")},
        // Tag soup: the ids of what an HTML parser recovers still count.
        {"OEBPS/b doc.xhtml", "<html><body><p>Вторая книга.<p id=later>Потом."},
    });
}

// An EPUB 2 book of `chapters` whose NCX is `ncx`.
std::string epubWithNcx(const std::vector<std::string>& chapters, const std::string& ncx) {
    ZipFiles files = epubFiles(chapters);
    for (auto& [name, content] : files) {
        if (name == "OEBPS/toc.ncx") content = ncx;
    }
    return zipOf(files);
}

const std::string kNcx = R"(<?xml version="1.0" encoding="UTF-8"?>
<ncx xmlns="http://www.daisy.org/z3986/2005/ncx/" version="2005-1">
<docTitle><text>Книга</text></docTitle><navMap>
 <navPoint id="n1"><navLabel><text>Первая часть</text></navLabel>
  <content src="Text/part%201.xhtml"/>
  <navPoint id="n2"><navLabel><text>Глава в ней</text></navLabel>
   <content src="Text/part%201.xhtml#ch"/></navPoint>
 </navPoint>
 <navPoint id="n3"><navLabel><text> </text></navLabel><content src="Text/part%200.xhtml"/></navPoint>
</navMap></ncx>)";

struct Expected {
    std::u16string title;
    std::u16string line;  // the whole line the chapter starts with
};

struct Case {
    const char* label;
    std::string bytes;
    const char* fileName;
    std::vector<Expected> chapters;
};

std::vector<Case> books() {
    return {
        {"FB2: top-level sections titled, untitled and with an empty title; not nested or empty",
         fb2(R"(<section><title><p>Часть   первая</p><p>Утро</p></title><p>Текст первой.</p>
  <section><title><p>Вложенная</p></title><p>Внутри.</p></section></section>
<section><p>)" +
             utf8(kLongLine) + R"(</p></section>
<section><title><p></p></title><p>Пустое заглавие.</p></section><section/>)"),
         "book.fb2",
         {{u"Часть первая Утро", u"Часть первая"},
          {kLongLine.substr(0, 60), kLongLine},
          {u"Глава 3", u"Пустое заглавие."}}},
        {"FB2 recovered from broken XML",
         fb2("<section><p>Том & Джерри</p></section><section><title><p>Вторая</p></title>"
             "<p>Текст.</p></section>"),
         "book.fb2",
         {{u"Том & Джерри", u"Том & Джерри"}, {u"Вторая", u"Вторая"}}},
        {"EPUB 3: the toc nav, nested lists, fragments, in text order, one per position",
         epubWithNavigation(),
         "book.epub",
         {{u"Начало", u"Начало"},
          {u"Раздел два", u"Раздел два"},
          {u"Посреди строки", u"Текст посреди строки."},
          {u"Вторая", u"Вторая книга."},
          {u"Потом", u"Потом."}}},
        {"EPUB 2: the NCX, nested navPoints flattened",
         epubWithNcx({xhtml("<p>Конец.</p>"),
                      xhtml(R"(<h1>Пролог</h1><p>Вступление.</p><h2 id="ch">Глава</h2>)")},
                     kNcx),
         "book.epub",
         {{u"Первая часть", u"Пролог"}, {u"Глава в ней", u"Глава"}, {u"Глава 3", u"Конец."}}},
        {"EPUB without a table of contents: each document that gives text",
         zipOf(epubFiles(
             {xhtml("<p>Конец.</p>"), xhtml(""), xhtml("<h1>" + utf8(kLongLine) + "</h1>")})),
         "book.epub",
         {{kLongLine.substr(0, 60), kLongLine}, {u"Конец.", u"Конец."}}},
        {"plain text", "Глава 1\r\nТекст.\r\n", "book.txt", {}},
    };
}

TEST(Chapters, EachStartsTheLineItsTextBeginsWith) {
    for (const Case& c : books()) {
        const BookText book = decodeBook(c.bytes, c.fileName);
        ASSERT_EQ(utf8(book.reason), "") << c.label;
        ASSERT_EQ(book.chapters.size(), c.chapters.size()) << c.label;
        for (std::size_t i = 0; i < c.chapters.size(); ++i) {
            const Chapter& chapter = book.chapters[i];
            const auto at = static_cast<std::size_t>(chapter.position);
            EXPECT_EQ(utf8(chapter.title), utf8(c.chapters[i].title)) << c.label << " #" << i;
            EXPECT_TRUE(at == 0 || book.text[at - 1] == u'\n') << c.label << " #" << i;
            EXPECT_EQ(utf8(book.text.substr(at, c.chapters[i].line.size() + 1)),
                      utf8(c.chapters[i].line + u"\n"))
                << c.label << " #" << i;
        }
    }
}

}  // namespace
}  // namespace orvell::books
