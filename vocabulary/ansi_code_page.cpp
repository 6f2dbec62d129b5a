#include "vocabulary/ansi_code_page.h"

#include <unicode/ucnv.h>

#include <stdexcept>

namespace orvell {

namespace {

// windows-1251 everywhere, the ANSI code page of a Russian Windows: a file moves between systems
// unchanged, and a Windows set to another code page does not turn every Cyrillic root into "?".
constexpr const char* kCodePageName = "windows-1251";

void check(UErrorCode status) {
    if (U_FAILURE(status)) throw std::runtime_error(u_errorName(status));
}

}  // namespace

AnsiCodePage::AnsiCodePage() {
    UErrorCode status = U_ZERO_ERROR;
    converter_ = ucnv_open(kCodePageName, &status);
    check(status);
    // ICU's own substitute for single-byte code pages is 0x1A, which a reader takes for the
    // end of the file: everything after an unmappable character would be lost.
    ucnv_setSubstChars(converter_, "?", 1, &status);
    if (U_FAILURE(status)) ucnv_close(converter_);
    check(status);
}

AnsiCodePage::~AnsiCodePage() { ucnv_close(converter_); }

std::u16string AnsiCodePage::decode(std::string_view bytes) {
    // Most code pages give one UTF-16 unit per byte at most; the others are told the size.
    std::u16string text(bytes.size(), u'\0');
    for (;;) {
        UErrorCode status = U_ZERO_ERROR;
        ucnv_resetToUnicode(converter_);
        const int32_t length =
            ucnv_toUChars(converter_, text.data(), static_cast<int32_t>(text.size()), bytes.data(),
                          static_cast<int32_t>(bytes.size()), &status);
        text.resize(static_cast<std::size_t>(length));
        if (status != U_BUFFER_OVERFLOW_ERROR) {
            check(status);
            return text;
        }
    }
}

std::string AnsiCodePage::encode(std::u16string_view text) {
    std::string bytes(static_cast<std::size_t>(UCNV_GET_MAX_BYTES_FOR_STRING(
                          text.size(), ucnv_getMaxCharSize(converter_))),
                      '\0');
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetFromUnicode(converter_);
    const int32_t length =
        ucnv_fromUChars(converter_, bytes.data(), static_cast<int32_t>(bytes.size()), text.data(),
                        static_cast<int32_t>(text.size()), &status);
    check(status);
    bytes.resize(static_cast<std::size_t>(length));
    return bytes;
}

}  // namespace orvell
