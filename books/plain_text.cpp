#include "books/plain_text.h"

#include <algorithm>

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

std::u16string decode(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return toUtf16(bytes.substr(3), "UTF-8");
    if (bytes.starts_with("\xFF\xFE")) return toUtf16(bytes.substr(2), "UTF-16LE");
    if (bytes.starts_with("\xFE\xFF")) return toUtf16(bytes.substr(2), "UTF-16BE");
    return toUtf16(bytes, detectCharset(bytes));
}

}  // namespace

std::u16string plainText(std::string_view bytes) {
    std::u16string text = decode(bytes);
    const auto controls =
        static_cast<std::size_t>(std::count_if(text.begin(), text.end(), isControl));
    if (controls * 1000 > text.size() * kMostControlPerMille) {
        throw BookFailure(
            u"это не текст: в файле много управляющих байтов, как в программе или "
            u"картинке");
    }
    return text;
}

}  // namespace orvell::books
