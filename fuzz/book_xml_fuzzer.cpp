// Reads arbitrary bytes as an FB2 book, and as one XHTML document of an EPUB book.
//
// What holds for any bytes: the book is read or refused with a reason, never both, however
// deep, broken or entity-laden the XML. A text read is made of lines: LF line breaks only, and
// XML white space turned into single blanks within a line, none at either end of it.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "books/book_failure.h"
#include "books/book_text.h"
#include "books/text_lines.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = orvell::fuzz::bytesOf(data, size);
    orvell::books::DecodeLimits limits;
    limits.maxDepth = kMaxDepth;
    const orvell::books::BookText book = orvell::books::decodeBook(bytes, "fuzz.fb2", limits);
    if (book.ok()) {
        requireLines(book.text);
    } else {
        ORVELL_REQUIRE(book.text.empty());
    }

    orvell::books::TextLines lines;
    try {
        orvell::books::addXhtmlText(bytes, kMaxDepth, lines);
        requireLines(lines.take().toStdU16String());
    } catch (const orvell::books::BookFailure& failure) {
        ORVELL_REQUIRE(!failure.reason().empty());
    }
    return 0;
}
