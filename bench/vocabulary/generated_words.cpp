#include "bench/vocabulary/generated_words.h"

#include <array>
#include <string_view>

namespace orvell::bench {

namespace {

constexpr std::u16string_view kConsonants = u"бвгджзклмнпрстфхцчшщ";
constexpr std::u16string_view kVowels = u"аеиоуыя";
constexpr std::array<std::u16string_view, 9> kEndings = {u"",    u"ать", u"ами", u"ого", u"ение",
                                                         u"ный", u"ся",  u"ов",  u"ую"};

}  // namespace

std::u16string generatedWord(std::size_t n) {
    // The consonants spell n in base 20, each followed by a vowel picked from the digits so far,
    // and an ending picked the same way.
    std::u16string word;
    std::size_t mix = n * 2654435761u;
    // At least one digit, for n = 0 too.
    do {  // NOLINT(cppcoreguidelines-avoid-do-while)
        word += kConsonants[n % kConsonants.size()];
        word += kVowels[mix % kVowels.size()];
        n /= kConsonants.size();
        mix /= kVowels.size();
    } while (n > 0);
    word += kEndings[mix % kEndings.size()];
    return word;
}

}  // namespace orvell::bench
