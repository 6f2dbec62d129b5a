#pragma once

// Text written in a given charset, for the tests' book files.

#include <unicode/ucnv.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace orvell::test {

// Throws when the charset cannot hold the text.
inline std::string encoded(std::u16string_view text, const char* charset) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(charset, &status);
    ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    std::string bytes(4 * text.size() + 8, '\0');
    const int32_t length =
        ucnv_fromUChars(converter, bytes.data(), static_cast<int32_t>(bytes.size()), text.data(),
                        static_cast<int32_t>(text.size()), &status);
    ucnv_close(converter);
    if (U_FAILURE(status)) throw std::runtime_error(u_errorName(status));
    bytes.resize(static_cast<std::size_t>(length));
    return bytes;
}

inline std::string utf8(std::u16string_view text) { return encoded(text, "UTF-8"); }

}  // namespace orvell::test
