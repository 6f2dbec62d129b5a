// Plain text files: every charset the reader is given, told by a byte order mark or detected,
// on short Russian texts where detection is hardest.

#include <gtest/gtest.h>

#include <array>
#include <span>
#include <stdexcept>
#include <string>

#include "books/book_text.h"
#include "tests/books/encoded.h"

namespace orvell::books {
namespace {

using test::encoded;
using test::utf8;

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

// Prose in the other languages that single-byte charsets carry.
const auto kOtherLanguages = std::to_array<Sample>({
    {"Ukrainian",
     u"Її пісні лунали над Дніпром, і ґава сиділа на гілці.\r\nЄ в кожній хаті своя правда, "
     u"кажуть люди.",
     u"Її пісні лунали над Дніпром, і ґава сиділа на гілці.\nЄ в кожній хаті своя правда, "
     u"кажуть люди."},
    {"Bulgarian",
     u"Българският език е южнославянски. Всеки ден е щастлив, ако имаш приятели до себе си.",
     u"Българският език е южнославянски. Всеки ден е щастлив, ако имаш приятели до себе си."},
    {"French",
     u"L'été dernier, nous sommes allés à la plage près de Nîmes. Ça m'a plu énormément : "
     u"on a mangé des crêpes, le cœur léger, pour 20 € à peine.",
     u"L'été dernier, nous sommes allés à la plage près de Nîmes. Ça m'a plu énormément : "
     u"on a mangé des crêpes, le cœur léger, pour 20 € à peine."},
    {"Spanish", u"El niño comió jamón por la mañana. ¿Dónde está la estación?",
     u"El niño comió jamón por la mañana. ¿Dónde está la estación?"},
    {"German", u"Die Bücher über Größe und Schönheit wären für Mädchen zu schwer.",
     u"Die Bücher über Größe und Schönheit wären für Mädchen zu schwer."},
});

struct Charset {
    const char* name;
    std::string bom;
};

const auto kCharsets = std::to_array<Charset>({
    {"UTF-8", ""},
    {"UTF-8", "\xEF\xBB\xBF"},
    {"UTF-16LE", "\xFF\xFE"},
    {"UTF-16BE", "\xFE\xFF"},
    {"UTF-16LE", ""},
    {"UTF-16BE", ""},
    {"UTF-32LE", std::string("\xFF\xFE\0\0", 4)},
    {"UTF-32BE", std::string("\0\0\xFE\xFF", 4)},
    {"windows-1251", ""},
    {"KOI8-R", ""},
    {"KOI8-U", ""},
    {"IBM866", ""},
    {"ISO-8859-5", ""},
    {"x-mac-cyrillic", ""},
    {"IBM855", ""},
    {"windows-1252", ""},
    {"ISO-8859-1", ""},
    {"ISO-8859-15", ""},
});

// Each sample in each charset that can hold it.
TEST(PlainText, ReadsEverySampleInEveryCharset) {
    for (const Charset& charset : kCharsets) {
        int read = 0;
        for (const std::span<const Sample> samples :
             {std::span<const Sample>(kSamples), std::span<const Sample>(kOtherLanguages)}) {
            for (const Sample& sample : samples) {
                std::string bytes;
                try {
                    bytes = charset.bom + encoded(sample.text, charset.name);
                } catch (const std::runtime_error&) {
                    continue;  // a letter or sign the charset does not have
                }
                const BookText book = decodeBook(bytes, "Книга.TXT");
                EXPECT_TRUE(book.ok())
                    << charset.name << " " << sample.label << ": " << test::utf8(book.reason);
                EXPECT_TRUE(book.text == sample.read)
                    << charset.name << (charset.bom.empty() ? "" : " with BOM") << " "
                    << sample.label;
                ++read;
            }
        }
        EXPECT_GE(read, 2) << charset.name;
    }
}

// Bytes above ASCII in no order, as a file in a charset the reader does not know would have.
std::string noiseAboveAscii() {
    std::string bytes;
    unsigned state = 1;
    for (int i = 0; i < 3000; ++i) {
        state = state * 1103515245U + 12345U;
        bytes += static_cast<char>(0x80U | (state >> 16U));
    }
    return bytes;
}

// A wrong charset must not pass for the right one: what reads as no language, or as two
// texts equally well, is refused and said to be.
TEST(PlainText, RefusesWhatNoCharsetReadsAsProse) {
    const std::u16string unknown = u"(похоже на двоичные данные или неизвестную кодировку)";
    struct Case {
        const char* label;
        std::string bytes;
        std::u16string reason;
    };
    const auto cases = std::to_array<Case>({
        {"noise", noiseAboveAscii(), unknown},
        {"Nordic DOS",
         encoded(u"Blåbærsyltetøy er godt. Jeg går på tur med søsteren min.", "IBM865"), unknown},
        {"Czech", encoded(u"Příliš žluťoučký kůň úpěl ďábelské ódy.", "windows-1250"), unknown},
        {"dialogue too short to tell MacCyrillic from windows-1251",
         encoded(u"— Да, — ответил он. — Конечно!", "x-mac-cyrillic"),
         u"(похоже на MacCyrillic или windows-1251)"},
    });
    for (const Case& c : cases) {
        const BookText book = decodeBook(c.bytes, "text.txt");
        EXPECT_EQ(book.reason, u"не удалось определить кодировку текста " + c.reason)
            << c.label << ": " << test::utf8(book.reason);
        EXPECT_TRUE(book.text.empty()) << c.label;
    }
}

TEST(PlainText, RefusesBinaryButKeepsTheOddControlCharacterAndBrokenByte) {
    std::string binary = "\x89PNG\r\n\x1A\n";
    for (int i = 0; i < 200; ++i) binary += std::string("\0\0\x01\x0D\x02IHDR\x7F", 10);
    const BookText refused = decodeBook(binary, "picture.txt");
    EXPECT_FALSE(refused.ok());
    EXPECT_NE(refused.reason.find(u"это не текст"), std::u16string::npos);

    const BookText kept = decodeBook("Page 1\fPage 2\x1A", "pages.txt");
    EXPECT_TRUE(kept.ok());
    EXPECT_EQ(kept.text, u"Page 1\fPage 2\x1A");

    // A UTF-8 text with a broken byte stays UTF-8 rather than becoming another charset's.
    const BookText damaged = decodeBook(
        utf8(u"Слово за словом, ") + "\xD0" + utf8(u" и так до конца главы, слово за словом."),
        "damaged.txt");
    EXPECT_EQ(damaged.text, u"Слово за словом, \uFFFD и так до конца главы, слово за словом.");
}

}  // namespace
}  // namespace orvell::books
