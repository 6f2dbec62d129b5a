#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvell::books {

// The languages whose books come in single-byte charsets.
enum class Language : std::uint8_t {
    Russian,
    Ukrainian,
    Belarusian,
    Bulgarian,
    Serbian,
    Macedonian,
    English,
    French,
    German,
    Spanish,
};

inline constexpr std::size_t kLanguageCount = 10;

// How much a lower-case letter other than a–z speaks for a text in the language: the more
// common the letter, the more; negative for a letter the language does not write.
int letterWeight(Language language, char16_t lowerCaseLetter);

}  // namespace orvell::books
