// Books as they are found: broken markup gives the text that can be recovered, the rest of the
// book opens, and the damage names the part and how much of the book it is. What a forgiving
// parser reads must not loosen the limits that keep a hostile file harmless.

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QByteArray>
#include <QXmlStreamReader>

#include "books/book_text.h"
#include "books/forgiving_markup.h"
#include "tests/books/encoded.h"
#include "tests/books/epub_books.h"

namespace orvell::books {
namespace {

using namespace test;

// A chapter as a content document of a careless converter: only its body is given.
std::string page(const std::string& body) {
    return "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>Страница</title></head>"
           "<body>" +
           body + "</body></html>";
}

std::string fb2(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<FictionBook>\n<body>\n" + body +
           "\n</body>\n</FictionBook>\n";
}

std::string joined(const std::vector<std::u16string>& lines) {
    std::u16string all;
    for (const std::u16string& line : lines) all += line + u"\n";
    return utf8(all);
}

struct Damaged {
    const char* label;
    std::string bytes;
    const char* fileName;
    std::u16string text;
    // Each must be in the damage; none at all for a book that is whole once read right.
    std::vector<std::u16string> damage;
};

// An EPUB book of a good first chapter and `soup` as its second.
Damaged soup(const char* label, const std::string& soupPage, const std::u16string& soupText) {
    return {label,
            zipOf(epubFiles({page("<p>Конец.</p>"), soupPage, page("<p>Начало.</p>")})),
            "book.epub",
            u"Начало.\n" + soupText + u"Конец.\n",
            {u"«OEBPS/Text/part 1.xhtml» (", u"книги): разметка XML повреждена (строка 1)",
             u"текст прочитан, насколько удалось"}};
}

std::vector<Damaged> damagedBooks() {
    const std::string cp1251Page = encoded(
        u"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
        u"charset=windows-1251\"/></head><body><p>Текст в windows-1251</p></body></html>",
        "windows-1251");
    return {
        soup("unquoted attribute", page("<p class=first>Раз</p>"), u"Раз\n"),
        soup("missing end tags", page("<p>Раз<p>Два<br>три</div>"), u"Раз\nДва\nтри\n"),
        soup("stray ampersand", page("<p>Том & Джерри</p>"), u"Том & Джерри\n"),
        {"encoding named by a meta of HTML",
         zipOf(epubFiles({cp1251Page})),
         "book.epub",
         u"Текст в windows-1251\n",
         {}},
        {"page in windows-1252 that names no encoding",
         zipOf(epubFiles({encoded(u"<html><body><p>Ça m’a plu énormément, le cœur léger.</p>"
                                  u"</body></html>",
                                  "windows-1252")})),
         "book.epub",
         u"Ça m’a plu énormément, le cœur léger.\n",
         {}},
        {"entities of HTML without a DTD",
         zipOf(epubFiles({page("<p>Раз&nbsp;&mdash; два</p>")})),
         "book.epub",
         u"Раз\u00A0— два\n",
         {}},
        {"BOM before a declaration that names another encoding",
         zipOf(epubFiles({"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"windows-1251\"?>" +
                          page("<p>Текст в UTF-8</p>")})),
         "book.epub",
         u"Текст в UTF-8\n",
         {}},
        {"broken back matter after good chapters",
         zipOf(epubFiles({page("<div id=\"bm_info><p>Выходные данные.</p></div>"),
                          page("<p>Глава 2.</p>"), page("<p>Глава 1.</p>")})),
         "pg1342.epub",
         u"Глава 1.\nГлава 2.\n",
         {u"«OEBPS/Text/part 0.xhtml» (", u"текст не прочитан"}},
        {"chapter missing from the archive",
         [] {
             ZipFiles files = epubFiles({page("<p>Глава 2.</p>"), page("<p>Глава 1.</p>")});
             std::erase_if(
                 files, [](const auto& file) { return file.first == "OEBPS/Text/part 0.xhtml"; });
             return zipOf(files);
         }(),
         "book.epub",
         u"Глава 1.\n",
         {u"«OEBPS/Text/part 0.xhtml»: этой части нет в архиве, она пропущена"}},
        {"FB2 with a mismatched end tag in the middle",
         fb2("<p>До &amp; ошибки</p>\n<epigraph><p>Эпиграф</p></epigraph1>\n"
             "<p>После &amp; ошибки&nbsp;&#x2014; &unknown;</p>"),
         "book.fb2",
         u"До & ошибки\nЭпиграф\nПосле & ошибки\u00A0— &unknown;\n",
         {u"разметка XML повреждена (строка 5); текст с этого места до конца (", u"книги)"}},
        {"FB2 cut short",
         fb2("<p>Первая</p><p>Вторая</p>").substr(0, 90),
         "book.fb2",
         u"Первая\nВтор\n",
         {u"файл обрывается в строке 4: конец книги утерян"}},
        {"FB2 in UTF-8 with a BOM before a windows-1251 declaration",
         "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"windows-1251\"?><FictionBook><body>"
         "<p>Текст</p></body></FictionBook>",
         "book.fb2",
         u"Текст\n",
         {}},
        {"FB2 with a line break before the declaration",
         "\r\n" + fb2("<p>Текст</p>"),
         "book.fb2",
         u"Текст\n",
         {}},
    };
}

TEST(DamagedBook, OpensWithTheTextThatCanBeRecoveredAndNamesTheDamage) {
    for (const Damaged& book : damagedBooks()) {
        const BookText read = decodeBook(book.bytes, book.fileName);
        EXPECT_EQ(utf8(read.reason), "") << book.label;
        EXPECT_EQ(utf8(read.text), utf8(book.text)) << book.label;
        EXPECT_EQ(read.damage.empty(), book.damage.empty())
            << book.label << ": " << joined(read.damage);
        for (const std::u16string& part : book.damage) {
            EXPECT_NE(joined(read.damage).find(utf8(part)), std::string::npos)
                << book.label << ": " << utf8(part) << " not in " << joined(read.damage);
        }
    }
}

TEST(DamagedBook, BooksWithoutTextSayWhy) {
    const std::string items =
        R"(<item id="a" href="a.svg" media-type="image/svg+xml"/>
<item id="b" href="b.jpg" media-type="image/jpeg"/>)";
    const std::string pictures =
        zipOf({{"META-INF/container.xml", kContainerXml},
               {"OEBPS/content.opf",
                packageXml("3.0", items, R"(<itemref idref="a"/><itemref idref="b"/>)")}});
    const std::string picturePages =
        zipOf(epubFiles({page(R"(<div><img src="1.jpg" alt=""/></div>)"), page("<svg/>")}));
    const std::string allBroken = zipOf(epubFiles({page("<p class=x>"), "<"}));
    struct Case {
        const char* label;
        std::string bytes;
        std::u16string reason;
    };
    const auto cases = std::to_array<Case>({
        {"images in the spine", pictures, u"в книге нет текста, только изображения"},
        {"pages of images", picturePages, u"в книге нет текста, только изображения"},
        {"every page broken", allBroken,
         u"файл обрывается посреди разметки XML в «OEBPS/Text/part 1.xhtml»"},
    });
    for (const Case& c : cases) {
        EXPECT_EQ(utf8(decodeBook(c.bytes, "book.epub").reason), utf8(c.reason)) << c.label;
    }
}

// What the forgiving parser writes is read again by a strict reader: any character it passes on
// must be valid UTF-8 that XML allows.
TEST(DamagedBook, TheForgivingParserWritesOnlyCharactersXmlAllows) {
    struct Case {
        const char* label;
        std::u16string markup;
        MarkupDialect dialect;
        std::string text;  // what is left between the tags
    };
    using enum MarkupDialect;
    using namespace std::string_literals;
    const auto cases = std::to_array<Case>({
        {"tag soup that begins like UCS-4", u"\0\0\0<p>a\0b</p>"s, Html, "ab"},
        {"XML that begins like UTF-16", u"<\0?\0<p>a</p>"s, Xml, "a"},
        {"control characters", u"<p>a\u0001b\u001Fc\td</p>", Html, "abc\td"},
        {"non-characters", u"<p>a\uFFFEb\uFFFFc</p>", Xml, "abc"},
    });
    for (const Case& c : cases) {
        const std::string xml = recoveredMarkup(QString::fromStdU16String(c.markup), c.dialect, 64);
        const QByteArray bytes = QByteArray::fromStdString(xml);
        EXPECT_TRUE(QByteArrayView(bytes).isValidUtf8()) << c.label << ": " << xml;
        QXmlStreamReader reader(bytes);
        QString text;
        while (!reader.atEnd()) {
            if (reader.readNext() == QXmlStreamReader::Characters) text += reader.text();
        }
        EXPECT_FALSE(reader.hasError()) << c.label << ": " << xml;
        EXPECT_EQ(text.toStdString(), c.text) << c.label;
    }
}

// Each document here is broken on purpose, so that the forgiving parser reads it.
TEST(DamagedBook, TheForgivingParserKeepsEveryLimit) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orvell-limits-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string secret = (folder / "secret.txt").string();
    std::ofstream(secret) << "СЕКРЕТ";
    const std::string dtd = (folder / "secret.dtd").string();
    std::ofstream(dtd) << "<!ENTITY secret \"СЕКРЕТ\">";

    std::string deepSoup;
    for (int i = 0; i < 300; ++i) deepSoup += "<div>";
    const std::string soupWithEntity =
        "<!DOCTYPE html [<!ENTITY a \"СЕКРЕТ\"> <!broken>]><html><body><p>&a;</p></body></html>";
    struct Case {
        const char* label;
        std::string bytes;
        const char* fileName;
        std::u16string reason;  // empty: read, and never with the secret
    };
    const auto cases = std::to_array<Case>({
        {"nesting of tag soup", zipOf(epubFiles({page(deepSoup + "текст")})), "book.epub",
         u"слишком глубокая вложенность"},
        {"nesting of a broken FB2", fb2(deepSoup + "</p>"), "book.fb2",
         u"слишком глубокая вложенность"},
        {"entities of a broken FB2's own",
         "<?xml version=\"1.0\"?><!DOCTYPE FictionBook [<!ENTITY a \"СЕКРЕТ\">]><FictionBook>"
         "<body><p>&a;</b></body></FictionBook>",
         "book.fb2", u"объявляет свои сущности"},
        {"entities of tag soup's own", zipOf(epubFiles({soupWithEntity})), "book.epub", u""},
        {"an external DTD of a broken FB2",
         R"(<?xml version="1.0"?><!DOCTYPE FictionBook SYSTEM ")" + dtd +
             R"("><FictionBook><body><p>&secret;</b></body></FictionBook>)",
         "book.fb2", u""},
        {"an external DTD of tag soup",
         zipOf(epubFiles({"<!DOCTYPE html SYSTEM \"" + dtd + "\">" + page("<p class=x>&secret;")})),
         "book.epub", u""},
        {"an XInclude in a broken FB2",
         "<?xml version=\"1.0\"?><FictionBook xmlns:xi=\"http://www.w3.org/2001/XInclude\"><body>"
         R"(<p>Текст <xi:include href=")" +
             secret + R"(" parse="text"/></b></body></FictionBook>)",
         "book.fb2", u""},
    });
    for (const Case& c : cases) {
        const BookText read = decodeBook(c.bytes, c.fileName);
        EXPECT_NE(read.reason.find(c.reason), std::u16string::npos)
            << c.label << ": " << utf8(read.reason);
        EXPECT_EQ(read.text.find(u"СЕКРЕТ"), std::u16string::npos) << c.label;
        EXPECT_EQ(read.ok(), c.reason.empty()) << c.label;
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace orvell::books
