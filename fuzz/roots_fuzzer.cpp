// Checks clean and RootOfWord on arbitrary UTF-16 strings (the input as UTF-16LE).
//
// clean: the result is the input with A-Z lowered and, for each listed mark, its first
// occurrences removed (two for the blank, the first » only when « is present), so the result
// does not depend on the order in which the marks are taken.
//
// RootOfWord: only the ends of the trimmed, lower-cased word are ever cut, so the root is a
// piece of it, starting at most 20 units in (a pass cuts at most 4+3+2+1 from the front). The
// trimmed word has no unit up to U+0020 at either end, but the root can: a unit like that
// inside the word ("q", tab, "ся") becomes an end once what follows it is cut.

#include <unicode/uchar.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/require.h"
#include "vocabulary/roots.h"

namespace {

constexpr std::size_t kMaxUnits = 1 << 10;
constexpr std::size_t kMaxFrontCut = std::size_t{2} * (4 + 3 + 2 + 1);
constexpr std::u16string_view kVowels = u"аеёиоуыэюяaeiou";

std::u16string expectedClean(std::u16string s) {
    for (char16_t& c : s) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    }
    const auto removeFirst = [&s](char16_t mark, int count) {
        for (; count > 0; --count) {
            const std::size_t at = s.find(mark);
            if (at == std::u16string::npos) return;
            s.erase(at, 1);
        }
    };
    const bool guillemets = s.find(u'«') != std::u16string::npos;
    for (const char16_t mark : std::u16string_view(u",.\":!?-()[]”“;")) removeFirst(mark, 1);
    removeFirst(u' ', 2);
    removeFirst(u'»', guillemets ? 1 : 0);
    return s;
}

bool isLow(char16_t c) { return c <= u' '; }

std::u16string trimmedLowerCase(std::u16string_view s) {
    while (!s.empty() && isLow(s.front())) s.remove_prefix(1);
    while (!s.empty() && isLow(s.back())) s.remove_suffix(1);
    std::u16string lower(s);
    for (char16_t& c : lower) c = static_cast<char16_t>(u_tolower(c));
    return lower;
}

void requireRoot(const std::u16string& word) {
    const std::u16string root = orvell::RootOfWord(word);
    ORVELL_REQUIRE(orvell::RootOfWord(word) == root);

    const std::u16string t = trimmedLowerCase(word);
    ORVELL_REQUIRE(root.size() <= t.size());
    const std::size_t lastStart = std::min(kMaxFrontCut, t.size() - root.size());
    bool piece = false;
    for (std::size_t start = 0; start <= lastStart && !piece; ++start) {
        piece = std::u16string_view(t).substr(start, root.size()) == root;
    }
    ORVELL_REQUIRE(piece);
    // Trimming and lower-casing are all the root takes from the ends and the case of the word.
    ORVELL_REQUIRE(orvell::RootOfWord(t) == root);

    // Up to 3 units only the prefix steps apply, and they never take the last unit.
    if (t.size() <= 3) {
        ORVELL_REQUIRE(t.ends_with(root) && (t.empty() || !root.empty()));
    }
    // From 4 units on, a word made only of vowels is one vowel run, cut whole.
    const bool allVowels = std::ranges::all_of(
        t, [](char16_t c) { return kVowels.find(c) != std::u16string_view::npos; });
    if (t.size() >= 4 && allVowels) ORVELL_REQUIRE(root.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size / 2 > kMaxUnits) return -1;
    const std::u16string word = orvell::fuzz::utf16FromBytes(data, size);

    const std::u16string cleaned = orvell::clean(word);
    ORVELL_REQUIRE(cleaned == expectedClean(word));
    ORVELL_REQUIRE(cleaned.size() <= word.size());
    ORVELL_REQUIRE(
        std::ranges::none_of(cleaned, [](char16_t c) { return c >= u'A' && c <= u'Z'; }));

    // The word as it comes, and as the lookup passes it (cleaned first).
    requireRoot(word);
    requireRoot(cleaned);
    return 0;
}
