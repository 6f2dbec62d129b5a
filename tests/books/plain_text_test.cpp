// Plain text files: every charset the reader is given, told by a byte order mark or detected,
// on short Russian texts where detection is hardest.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "books/book_text.h"
#include "tests/books/encoded.h"

namespace orvell::books {
namespace {

using test::encoded;

struct Sample {
    const char* label;
    std::u16string text;  // as saved, with CR LF or lone CR line breaks
    std::u16string read;  // as the reader gets it
};

// The short ones are those where ICU's detector alone goes wrong: it takes the IBM866
// "Как только буквы." for windows-1251, and the UTF-8 "The letter это and so on." for
// windows-1252.
const auto kSamples = std::to_array<Sample>({
    {"greeting", u"Привет, мир!", u"Привет, мир!"},
    {"short", u"Как только буквы.", u"Как только буквы."},
    {"mostly Latin", u"The letter это and so on.", u"The letter это and so on."},
    {"pangram", u"Съешь же ещё этих мягких французских булок, да выпей чаю.",
     u"Съешь же ещё этих мягких французских булок, да выпей чаю."},
    {"capitals", u"ГЛАВА ПЕРВАЯ\r\n\r\nВ доме Облонских всё смешалось.",
     u"ГЛАВА ПЕРВАЯ\n\nВ доме Облонских всё смешалось."},
    {"verse",
     u"Мороз и солнце; день чудесный!\r\nЕщё ты дремлешь, друг прелестный —\rПора, красавица, "
     u"проснись:\r\nОткрой сомкнуты негой взоры",
     u"Мороз и солнце; день чудесный!\nЕщё ты дремлешь, друг прелестный —\nПора, красавица, "
     u"проснись:\nОткрой сомкнуты негой взоры"},
    {"mixed", u"Глава 1. The Beginning\r\n«Кто-то», — сказал он.",
     u"Глава 1. The Beginning\n«Кто-то», — сказал он."},
});

struct Charset {
    const char* name;
    std::string bom;
    bool typographic;  // has the dash and guillemets
};

const auto kCharsets = std::to_array<Charset>({
    {"UTF-8", "", true},
    {"UTF-8", "\xEF\xBB\xBF", true},
    {"UTF-16LE", "\xFF\xFE", true},
    {"UTF-16BE", "\xFE\xFF", true},
    {"UTF-16LE", "", true},
    {"UTF-16BE", "", true},
    {"windows-1251", "", true},
    {"KOI8-R", "", false},
    {"IBM866", "", false},
});

TEST(PlainText, ReadsEverySampleInEveryCharset) {
    for (const Charset& charset : kCharsets) {
        for (const Sample& sample : kSamples) {
            if (!charset.typographic && sample.text.find(u'—') != std::u16string::npos) continue;
            const BookText book =
                decodeBook(charset.bom + encoded(sample.text, charset.name), "Книга.TXT");
            EXPECT_EQ(book.reason, u"") << charset.name << " " << sample.label;
            EXPECT_TRUE(book.text == sample.read)
                << charset.name << (charset.bom.empty() ? "" : " with BOM") << " " << sample.label;
        }
    }
}

TEST(PlainText, RefusesBinaryButKeepsTheOddControlCharacter) {
    std::string binary = "\x89PNG\r\n\x1A\n";
    for (int i = 0; i < 200; ++i) binary += std::string("\0\0\x01\x0D\x02IHDR\x7F", 10);
    const BookText refused = decodeBook(binary, "picture.txt");
    EXPECT_FALSE(refused.ok());
    EXPECT_NE(refused.reason.find(u"это не текст"), std::u16string::npos);

    const BookText kept = decodeBook("Page 1\fPage 2\x1A", "pages.txt");
    EXPECT_TRUE(kept.ok());
    EXPECT_EQ(kept.text, u"Page 1\fPage 2\x1A");
}

}  // namespace
}  // namespace orvell::books
