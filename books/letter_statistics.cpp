#include "books/letter_statistics.h"

#include <algorithm>
#include <string_view>

namespace orvell::books {

namespace {

// A language's letters beyond a–z, the most common first. Letter frequencies in prose fall
// off about evenly with the rank, from some 10 % to a few hundredths of a per cent, so the
// rank stands for the logarithm of the frequency. Western languages write few such letters;
// their first letter is ranked as its frequency among Cyrillic ones would be.
struct Alphabet {
    std::u16string_view letters;
    int firstRank = 0;
};

constexpr std::array<Alphabet, kLanguageCount> kAlphabets = {{
    {u"оеаинтсрвлкмдпуяызьбгчйхжшюцщэфъё"},  // Russian
    {u"оаніивтерскдулмпязьбгчхйжшцюїєфщґ"},  // Ukrainian
    {u"аоніыеркстлвдмупязьбгўчйхцшжёюфэ"},   // Belarusian
    {u"аеоинтрсвлкдпмзъгяубчйжшщцхюфь"},     // Bulgarian
    {u"аиоенрсјткувдлпмзгбчшћњцжхљђфџ"},     // Serbian
    {u"аоеинтрсвдкплзмјугбчшцжхќфѓѕњљџ"},    // Macedonian
    {u"éèçïñöü", 30},                        // English, in borrowed words
    {u"éàèêçâîôûùëïüÿœæ", 15},               // French
    {u"üäößé", 18},                          // German
    {u"óíáéñúü", 16},                        // Spanish
}};

// Points for the most common letter, and how many ranks lose a point.
constexpr int kTopPoints = 12;
constexpr int kRanksPerPoint = 3;
constexpr int kLeastPoints = 1;
constexpr int kForeign = -8;

}  // namespace

int letterWeight(Language language, char16_t lowerCaseLetter) {
    const Alphabet& alphabet = kAlphabets[static_cast<std::size_t>(language)];
    const std::size_t at = alphabet.letters.find(lowerCaseLetter);
    if (at == std::u16string_view::npos) return kForeign;
    const int rank = alphabet.firstRank + static_cast<int>(at);
    return std::max(kLeastPoints, kTopPoints - rank / kRanksPerPoint);
}

}  // namespace orvell::books
