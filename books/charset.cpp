#include "books/charset.h"

#include <unicode/ucnv.h>
#include <unicode/ucsdet.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "books/book_failure.h"

namespace orvell::books {

namespace {

// Enough of a text to tell its charset; longer files are judged by their start.
constexpr std::size_t kSampleBytes = std::size_t{64} * 1024;

constexpr std::array<const char*, 3> kRussianCharsets = {"windows-1251", "KOI8-R", "IBM866"};

struct DetectorCloser {
    void operator()(UCharsetDetector* detector) const { ucsdet_close(detector); }
};

// ICU's guess, or nullptr when it has none.
const char* icuGuess(std::string_view sample) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UCharsetDetector, DetectorCloser> detector(ucsdet_open(&status));
    ucsdet_setText(detector.get(), sample.data(), static_cast<int32_t>(sample.size()), &status);
    const UCharsetMatch* match = ucsdet_detect(detector.get(), &status);
    if (U_FAILURE(status) || match == nullptr) return nullptr;
    const char* name = ucsdet_getName(match, &status);
    if (U_FAILURE(status)) return nullptr;
    // Only the charsets of Russian texts count; the name returned is ours, not the detector's.
    for (const char* ours : {"UTF-8", "windows-1251", "KOI8-R"}) {
        if (std::strcmp(name, ours) == 0) return ours;
    }
    return nullptr;
}

// The sample without a last sequence that the cut may have split.
std::string_view wholeSequences(std::string_view sample, std::size_t wholeSize) {
    if (sample.size() == wholeSize) return sample;
    std::size_t end = sample.size();
    while (end > 0 && (static_cast<unsigned char>(sample[end - 1]) & 0xC0) == 0x80) --end;
    return sample.substr(0, end > 0 ? end - 1 : 0);
}

bool isRussianLowerCase(char16_t c) { return (c >= u'а' && c <= u'я') || c == u'ё'; }

// Russian prose is mostly lower-case letters. Read in the right charset, nearly every byte
// above ASCII is one; read in a wrong one, many become capitals, box drawing or symbols.
long russianScore(std::string_view sample, const char* charset) {
    long score = 0;
    for (const char16_t c : toUtf16(sample, charset)) {
        if (c < 0x80) continue;
        score += isRussianLowerCase(c) ? 1 : -1;
    }
    return score;
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

const char* detectCharset(std::string_view bytes) {
    if (const char* utf16 = utf16Charset(bytes.substr(0, kSampleBytes))) return utf16;
    const std::string_view sample = wholeSequences(bytes.substr(0, kSampleBytes), bytes.size());
    const char* guess = icuGuess(sample);
    // ICU misses UTF-8 in a few texts of some twenty letters; Russian text in a single-byte
    // charset is practically never valid UTF-8.
    if ((guess != nullptr && std::strcmp(guess, "UTF-8") == 0) || isUtf8(sample)) return "UTF-8";
    // ICU does not know IBM866 at all (it calls it a Western charset, now and then
    // windows-1251), and on short texts often misses windows-1251 and KOI8-R. Its guess is
    // kept unless another charset reads as more Russian.
    std::vector<const char*> candidates(kRussianCharsets.begin(), kRussianCharsets.end());
    if (guess != nullptr) {
        std::erase_if(candidates, [&](const char* c) { return std::strcmp(c, guess) == 0; });
        candidates.insert(candidates.begin(), guess);
    }
    std::vector<long> scores;
    scores.reserve(candidates.size());
    for (const char* charset : candidates) scores.push_back(russianScore(sample, charset));
    return candidates[static_cast<std::size_t>(std::ranges::max_element(scores) - scores.begin())];
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
