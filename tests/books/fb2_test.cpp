// FB2 books, plain and zipped, in the two encodings they come in: the text of the main body in
// document order, one block per line, with the book title first. A ZIP of several lists them by
// title, and opens the one chosen.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "books/book_text.h"
#include "tests/books/encoded.h"
#include "tests/books/epub_books.h"
#include "tests/books/zip_builder.h"

namespace orvell::books {
namespace {

using test::encoded;
using test::epubFiles;
using test::utf8;
using test::xhtml;
using test::ZipFiles;
using test::zipOf;

const std::u16string kBook =
    uR"(
<FictionBook xmlns="http://www.gribuser.ru/xml/fictionbook/2.0"
             xmlns:l="http://www.w3.org/1999/xlink">
 <description>
  <title-info>
   <genre>prose</genre><author><first-name>Иван</first-name></author>
   <book-title>Сказка о рыбаке</book-title>
   <annotation><p>Аннотация не читается.</p></annotation>
  </title-info>
  <src-title-info><book-title>Original</book-title></src-title-info>
 </description>
 <body>
  <title><p>Иван Петров</p><p>Сказка</p></title>
  <epigraph><p>Не всё коту масленица.</p><text-author>Пословица</text-author></epigraph>
  <section>
   <title><p>Глава 1</p></title>
   <p>Жил <emphasis>старик</emphasis> со своею <strong>старухой</strong><a l:href="#n1"
      type="note">[1]</a>
      у самого синего моря.</p>
   <empty-line/>
   <subtitle>* * *</subtitle>
   <poem><stanza><v>Раз, два,</v><v>три.</v></stanza><text-author>Автор</text-author></poem>
   <image l:href="#pic"/>
   <cite><p>Цитата &amp; «кавычки»</p></cite>
  </section>
 </body>
 <body name="notes"><section id="n1"><p>Примечание</p></section></body>
 <binary id="pic" content-type="image/png">iVBORw0KGgo=</binary>
</FictionBook>
)";

const std::u16string kText =
    u"Сказка о рыбаке\nИван Петров\nСказка\nНе всё коту масленица.\nПословица\nГлава 1\n"
    u"Жил старик со своею старухой[1] у самого синего моря.\n\n* * *\nРаз, два,\nтри.\nАвтор\n"
    u"Цитата & «кавычки»\n";

std::string fb2In(const char* charset) {
    return R"(<?xml version="1.0" encoding=")" + std::string(charset) + R"("?>)" +
           encoded(kBook, charset);
}

TEST(Fb2, ReadsTheMainBodyPlainAndZippedInAnyEncoding) {
    struct Case {
        const char* label;
        std::string bytes;
        const char* name;
    };
    const auto cases = std::to_array<Case>({
        {"UTF-8", fb2In("UTF-8"), "book.fb2"},
        {"windows-1251", fb2In("windows-1251"), "Book.FB2"},
        {"MacCyrillic without a declaration", encoded(kBook, "x-mac-cyrillic"), "book.fb2"},
        {"windows-1251 declared as an unknown encoding",
         R"(<?xml version="1.0" encoding="x-unknown"?>)" + encoded(kBook, "windows-1251"),
         "book.fb2"},
        {"zipped", zipOf({{"Сказка.fb2", fb2In("windows-1251")}}), "book.fb2.zip"},
        {"zipped, named .fb2", zipOf({{"book.fb2", fb2In("UTF-8")}}), "book.fb2"},
    });
    for (const auto& c : cases) {
        const BookText book = decodeBook(c.bytes, c.name);
        EXPECT_EQ(book.reason, u"") << c.label;
        EXPECT_TRUE(book.text == kText) << c.label;
    }
}

// Each book of the archive by its title, else its entry's file name, in the archive's order;
// the one chosen opens whole. An EPUB is one book, whatever else it holds.
TEST(Fb2, ListsTheBooksOfAnArchiveAndOpensTheOneChosen) {
    const std::string tale = R"(<?xml version="1.0" encoding="UTF-8"?><FictionBook>
<description><title-info><genre>prose</genre><book-title>
  Повесть
  о коте</book-title></title-info></description>
<body><p>Жил-был кот.</p><p>Конец.</p></body></FictionBook>)";
    const std::string untitled = "<FictionBook><body><p>Без заглавия.</p></body></FictionBook>";
    struct Case {
        const char* label;
        ZipFiles files;
        const char* name;
        std::vector<std::u16string> titles;
        std::size_t opened;  // the book of the list opened
        std::u16string text;
    };
    const auto cases = std::to_array<Case>({
        {"titled",
         {{"Сказка.fb2", fb2In("windows-1251")}, {"readme.txt", "текст"}, {"Кот.FB2", tale}},
         "books.zip",
         {u"Сказка о рыбаке", u"Повесть о коте"},
         1,
         u"Повесть о коте\nЖил-был кот.\nКонец.\n"},
        {"untitled and cut short, zipped as .fb2",
         {{"сборник/Без заглавия.fb2", untitled},
          {"Обрыв.fb2", "<FictionBook><description><title-info><book-title>Обр"},
          {"Сказка.fb2", fb2In("UTF-8")}},
         "book.fb2",
         {u"Без заглавия.fb2", u"Обрыв.fb2", u"Сказка о рыбаке"},
         0,
         u"Без заглавия.\n"},
        {"EPUB",
         [&] {
             ZipFiles files = epubFiles({xhtml("<p>Текст</p>")});
             files.emplace_back("a.fb2", tale);
             files.emplace_back("b.fb2", tale);
             return files;
         }(),
         "book.zip",
         {},
         0,
         u""},
    });
    for (const auto& c : cases) {
        const std::string bytes = zipOf(c.files);
        const std::vector<ArchivedBook> books = archivedFb2Books(bytes, c.name);
        ASSERT_EQ(books.size(), c.titles.size()) << c.label;
        for (std::size_t i = 0; i < books.size(); ++i) {
            EXPECT_EQ(utf8(books[i].title), utf8(c.titles[i])) << c.label << " " << i;
        }
        if (books.empty()) continue;
        const BookText book = decodeArchivedBook(bytes, books.at(c.opened).entry);
        EXPECT_EQ(utf8(book.reason), "") << c.label;
        EXPECT_EQ(utf8(book.text), utf8(c.text)) << c.label;
    }
}

}  // namespace
}  // namespace orvell::books
