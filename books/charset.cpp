#include "books/charset.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "books/book_failure.h"
#include "books/single_byte_charset.h"

namespace orvell::books {

namespace {

// Enough of a text to tell its charset; longer files are judged by their start.
constexpr std::size_t kSampleBytes = std::size_t{64} * 1024;

// UTF-8 with a few broken sequences is a damaged UTF-8 text: a text in a single-byte charset
// holds next to no valid multi-byte sequences.
constexpr std::size_t kLeastValidPerBroken = 10;

// The sample without a last sequence that the cut may have split.
std::string_view wholeSequences(std::string_view sample, std::size_t wholeSize) {
    if (sample.size() == wholeSize) return sample;
    std::size_t end = sample.size();
    while (end > 0 && (static_cast<unsigned char>(sample[end - 1]) & 0xC0) == 0x80) --end;
    return sample.substr(0, end > 0 ? end - 1 : 0);
}

bool readsAsUtf8(std::string_view sample) {
    UErrorCode status = U_ZERO_ERROR;
    int32_t units = 0;
    int32_t broken = 0;
    u_strFromUTF8WithSub(nullptr, 0, &units, sample.data(), static_cast<int32_t>(sample.size()),
                         0xFFFD, &broken, &status);
    const auto ascii = std::ranges::count_if(sample, [](char byte) { return (byte & 0x80) == 0; });
    const auto validSequences = static_cast<std::size_t>(units - ascii - broken);
    const auto brokenSequences = static_cast<std::size_t>(broken);
    return brokenSequences == 0 || validSequences >= kLeastValidPerBroken * brokenSequences;
}

// The letters, digits, spaces and punctuation of Russian and English books.
bool isBookCharacter(char16_t c) {
    return (c >= 0x20 && c < 0x7F) || c == u'\t' || c == u'\n' || c == u'\r' ||
           (c >= 0xA0 && c < 0x180) || (c >= 0x400 && c < 0x530) || (c >= 0x2010 && c < 0x2028) ||
           (c >= 0x2030 && c < 0x205F) || c == u'№';
}

// UTF-16 without a byte order mark, or nullptr. A text in a single-byte charset or in UTF-8
// never holds a zero byte, while UTF-16 has one in every space, digit or Latin letter; read in
// the right byte order nearly every unit is a character of a book, in the wrong one few are.
const char* utf16Charset(std::string_view sample) {
    if (sample.find('\0') == std::string_view::npos) return nullptr;
    constexpr std::size_t kLeastPercentOfBookCharacters = 95;
    for (const bool littleEndian : {true, false}) {
        std::size_t units = 0;
        std::size_t bookCharacters = 0;
        for (std::size_t i = 0; i + 1 < sample.size(); i += 2) {
            const auto low = static_cast<unsigned char>(sample[littleEndian ? i : i + 1]);
            const auto high = static_cast<unsigned char>(sample[littleEndian ? i + 1 : i]);
            ++units;
            if (isBookCharacter(static_cast<char16_t>(high << 8 | low))) ++bookCharacters;
        }
        if (units > 0 && bookCharacters * 100 >= units * kLeastPercentOfBookCharacters) {
            return littleEndian ? "UTF-16LE" : "UTF-16BE";
        }
    }
    return nullptr;
}

}  // namespace

bool isUtf8(std::string_view bytes) {
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strFromUTF8(nullptr, 0, &length, bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    return status == U_BUFFER_OVERFLOW_ERROR || status == U_STRING_NOT_TERMINATED_WARNING ||
           U_SUCCESS(status);
}

std::optional<ByteOrderMark> byteOrderMark(std::string_view bytes) {
    struct Mark {
        std::string_view bytes;
        const char* charset;
    };
    // UTF-32LE's mark begins with UTF-16LE's, so it is looked for first.
    static constexpr auto kMarks = std::to_array<Mark>({{{"\xFF\xFE\0\0", 4}, "UTF-32LE"},
                                                        {{"\0\0\xFE\xFF", 4}, "UTF-32BE"},
                                                        {"\xEF\xBB\xBF", "UTF-8"},
                                                        {"\xFF\xFE", "UTF-16LE"},
                                                        {"\xFE\xFF", "UTF-16BE"}});
    for (const Mark& mark : kMarks) {
        if (bytes.starts_with(mark.bytes)) return ByteOrderMark{mark.bytes.size(), mark.charset};
    }
    return std::nullopt;
}

const char* detectCharset(std::string_view bytes) {
    if (const char* utf16 = utf16Charset(bytes.substr(0, kSampleBytes))) return utf16;
    const std::string_view sample = wholeSequences(bytes.substr(0, kSampleBytes), bytes.size());
    if (readsAsUtf8(sample)) return "UTF-8";
    return singleByteCharset(sample);
}

std::u16string toUtf16(std::string_view bytes, const char* charset) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(charset, &status);
    if (U_FAILURE(status)) {
        const std::string_view name(charset);
        throw BookFailure(u"кодировка «" + std::u16string(name.begin(), name.end()) +
                          u"» не поддерживается");
    }
    // The charsets of books give at most one unit per byte; others say how many they need.
    std::u16string text(bytes.size() + 1, u'\0');
    for (;;) {
        const int32_t length =
            ucnv_toUChars(converter, text.data(), static_cast<int32_t>(text.size()), bytes.data(),
                          static_cast<int32_t>(bytes.size()), &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            status = U_ZERO_ERROR;
            ucnv_resetToUnicode(converter);
            text.resize(static_cast<std::size_t>(length) + 1);
            continue;
        }
        text.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
        break;
    }
    ucnv_close(converter);
    if (U_FAILURE(status)) throw BookFailure(u"текст не удалось перекодировать");
    return text;
}

}  // namespace orvell::books
