// Files that cannot be read as a book: each is refused with a Russian reason, never a crash,
// a hang or garbage, however it is broken.

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "books/book_text.h"
#include "tests/books/encoded.h"
#include "tests/books/epub_books.h"

namespace orvell::books {
namespace {

using namespace test;

std::string fb2(const std::string& inside) {
    return R"(<?xml version="1.0" encoding="UTF-8"?><FictionBook>)" + inside + "</FictionBook>";
}

std::string nested(int depth) {
    std::string xml;
    for (int i = 0; i < depth; ++i) xml += "<section>";
    for (int i = 0; i < depth; ++i) xml += "</section>";
    return fb2("<body>" + xml + "</body>");
}

std::string packageWith(const std::string& items, const std::string& spine) {
    return zipOf({{"META-INF/container.xml", kContainerXml},
                  {"OEBPS/content.opf", packageXml("3.0", items, spine)}});
}

const std::string kChapterItem =
    R"(<item id="c" href="c.xhtml" media-type="application/xhtml+xml"/>)";

TEST(BadInput, EachIsRefusedWithItsReason) {
    const std::string billionLaughs =
        R"(<?xml version="1.0"?><!DOCTYPE FictionBook [<!ENTITY a "ha"><!ENTITY b "&a;&a;&a;&a;">
<!ENTITY c "&b;&b;&b;&b;"><!ENTITY d "&c;&c;&c;&c;">]><FictionBook><body><p>&d;</p></body></FictionBook>)";
    const std::string goodEpub = zipOf(epubFiles({xhtml("<p>Текст</p>")}));
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string reason;
    };
    const auto cases = std::to_array<Case>({
        {"book.pdf", "%PDF-1.4", u"формат не поддерживается"},
        {"book.epub", "not a zip at all", u"архив ZIP повреждён"},
        {"book.epub", goodEpub.substr(0, goodEpub.size() / 2), u"архив ZIP повреждён"},
        {"notes.zip", zipOf({{"readme.txt", "text"}}), u"в архиве нет книги FB2 или EPUB"},
        {"book.fb2.zip", zipOf({{"book.fb2", fb2("<body/>")}}, "secret"), u"защищён паролем"},
        {"book.fb2", fb2("<description/>"), u"в книге FB2 нет текста"},
        {"book.fb2", fb2(R"(<body name="notes"><p>1</p></body>)"), u"в книге FB2 нет текста"},
        {"book.fb2",
         fb2("<description><title-info><book-title>Повесть</book-title></title-info>"
             "</description><body> </body>"),
         u"в книге FB2 нет текста"},
        {"book.epub", "", u"файл пуст"},
        {"book.fb2", "", u"файл пуст"},
        {"book.txt", "", u"файл пуст"},
        {"book.fb2", "<html><body><p>Текст</p></body></html>", u"это не книга FB2"},
        {"book.fb2", nested(300), u"слишком глубокая вложенность"},
        {"book.fb2", billionLaughs, u"объявляет свои сущности"},
        {"book.fb2",
         R"(<?xml version="1.0" encoding="x-unknown"?><FictionBook><body><p>)" +
             encoded(u"Blåbærsyltetøy er godt. Jeg går på tur.", "IBM865") +
             "</p></body></FictionBook>",
         u"не удалось определить кодировку текста"},
        {"book.epub", zipOf({{"mimetype", "application/epub+zip"}}),
         u"нет файла META-INF/container.xml"},
        {"book.epub", zipOf({{"META-INF/container.xml", kContainerXml}}),
         u"нет описания «OEBPS/content.opf»"},
        {"book.epub", packageWith(kChapterItem, R"(<itemref idref="c"/>)"),
         u"нет главы «OEBPS/c.xhtml»"},
        {"book.epub", packageWith(kChapterItem, R"(<itemref idref="gone"/>)"), u"нет главы «gone»"},
        {"book.epub",
         packageWith(R"(<item id="c" href="../../etc/passwd" media-type="text/html"/>)",
                     R"(<itemref idref="c"/>)"),
         u"нет главы «../../etc/passwd»"},
        {"book.epub", packageWith(kChapterItem, R"(<itemref idref="c" linear="no"/>)"),
         u"нет глав для чтения"},
        {"book.epub", zipOf({{"META-INF/rights.xml", "<rights/>"}}), u"защищена от копирования"},
        {"book.epub",
         [] {
             ZipFiles files = epubFiles({"encrypted bytes"});
             files.emplace_back("META-INF/encryption.xml",
                                R"(<encryption><EncryptedData><CipherData>
<CipherReference URI="OEBPS/Text/part%200.xhtml"/></CipherData></EncryptedData></encryption>)");
             return zipOf(files);
         }(),
         u"защищена от копирования"},
        {"book.fb2.zip", zipOf({{"bomb.fb2", std::string(3 << 20, ' ')}}),
         u"распакованная книга больше 2 МБ"},
        {"huge.txt", std::string((2 << 20) + 1, 'a'), u"файл больше 2 МБ"},
    });
    DecodeLimits limits;
    limits.maxBytes = 2 << 20;
    limits.maxDepth = 256;
    for (const auto& c : cases) {
        const BookText book = decodeBook(c.bytes, c.name, limits);
        EXPECT_NE(book.reason.find(c.reason), std::u16string::npos)
            << c.name << ": " << utf8(c.reason) << " not in " << utf8(book.reason);
        EXPECT_TRUE(book.text.empty()) << c.name;
    }
}

TEST(BadInput, OpeningNamesTheFileAndTellsMissingFromUnreadable) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orvell-books-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "Книга.txt";
    std::ofstream(file, std::ios::binary) << encoded(u"Текст в windows-1251.\r\n", "windows-1251");

    EXPECT_TRUE(openBook(file).text == u"Текст в windows-1251.\n");
    EXPECT_EQ(openBook(folder / "нет.txt").reason, u"файл не найден");
    EXPECT_EQ(openBook(folder).reason, u"это папка, а не файл");
    EXPECT_EQ(failureMessage(u"нет.txt", u"файл не найден"),
              u"Не удалось открыть «нет.txt»: файл не найден.");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace orvell::books
