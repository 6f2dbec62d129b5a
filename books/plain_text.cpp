#include "books/plain_text.h"

#include <algorithm>
#include <string_view>
#include <type_traits>

#include "books/book_failure.h"
#include "books/charset.h"

namespace orvell::books {

namespace {

// A text has next to no control characters; a binary file, read as one, has plenty.
constexpr std::size_t kMostControlPerMille = 100;

bool isControl(char16_t c) {
    return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r' && c != u'\f' && c != u'\v') ||
           c == 0x7F;
}

// Unsigned, so that a byte above ASCII is no control character.
template <typename Character>
bool isBinary(std::basic_string_view<Character> text) {
    const auto controls = static_cast<std::size_t>(std::ranges::count_if(text, [](Character c) {
        return isControl(static_cast<char16_t>(static_cast<std::make_unsigned_t<Character>>(c)));
    }));
    return controls * 1000 > text.size() * kMostControlPerMille;
}

[[noreturn]] void notText() {
    throw BookFailure(
        u"это не текст: в файле много управляющих байтов, как в программе или картинке");
}

std::u16string decode(std::string_view bytes) {
    if (const auto mark = byteOrderMark(bytes)) {
        return toUtf16(bytes.substr(mark->size), mark->charset);
    }
    try {
        return toUtf16(bytes, detectCharset(bytes));
    } catch (const BookFailure&) {
        if (isBinary(bytes)) notText();  // a better reason than an unknown charset
        throw;
    }
}

}  // namespace

std::u16string plainText(std::string_view bytes) {
    std::u16string text = decode(bytes);
    if (isBinary(std::u16string_view(text))) notText();
    return text;
}

}  // namespace orvell::books
