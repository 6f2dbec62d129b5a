#include "vocabulary/roots.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <string_view>
#include <vector>

namespace orvell {

namespace {

// One row of the punctuation table of clean: when `tested` occurs in the word, the first
// `deleted` goes. Every row but the guillemets tests the character it deletes.
struct CleanRow {
    char16_t tested;
    char16_t deleted;
};

constexpr auto kCleanRows = std::to_array<CleanRow>({
    {u' ', u' '},
    {u' ', u' '},
    {u',', u','},
    {u'.', u'.'},
    {u'"', u'"'},
    {u':', u':'},
    {u'!', u'!'},
    {u'?', u'?'},
    {u'-', u'-'},
    {u'(', u'('},
    {u')', u')'},
    {u'[', u'['},
    {u']', u']'},
    {u'\u201D', u'\u201D'},
    {u'\u201C', u'\u201C'},
    {u'\u00AB', u'\u00BB'},  // a closing guillemet goes only when an opening one is there
    {u';', u';'},
});

// Every character the table deletes lies below the lower-case Latin letters, but for these three.
bool mayBeDeleted(char16_t c) {
    return c < u'a' || c == u'\u00BB' || c == u'\u201C' || c == u'\u201D';
}

// The lists are single strings of equally long items separated by blanks; a candidate is a
// member when it occurs anywhere in the string, so a blank or a pair spanning two items counts.
constexpr std::u16string_view kVowels = u"аеёиоуыэюяaeiou";
constexpr std::u16string_view kLastLetters = u"й ь s";
constexpr std::u16string_view kTripleSuffixes = u"енн овл евл ённ анн ост ест";
constexpr std::u16string_view kPairSuffixes =
    u"ам ям ом ем ин ём ся ет ит ут ют ат ят ыв ив ев ан ян ов ев ог ег ир ер ых ок ющ ущ er ed";
constexpr std::u16string_view kLongPrefix = u"пере";
constexpr std::u16string_view kThreeLetterPrefixes = u"при рас пре про под";
constexpr std::u16string_view kTwoLetterPrefixes = u"на за ис из до по вы во со";
constexpr std::u16string_view kOneLetterPrefixes = u"в с";
constexpr std::u16string_view kReflexiveEnding = u"ся";
constexpr std::u16string_view kIngEnding = u"ing";

// A list's membership test: the candidate is one of the list string's windows of its length.
// The windows are packed into integers, sorted, so that a test is a short binary search.
class ListMembers {
  public:
    ListMembers(std::u16string_view list, std::size_t length) : length_(length) {
        for (std::size_t at = 0; at + length <= list.size(); ++at) {
            windows_.push_back(pack(list.substr(at, length)));
        }
        std::ranges::sort(windows_);
    }

    bool contains(std::u16string_view candidate) const {
        return candidate.size() == length_ && std::ranges::binary_search(windows_, pack(candidate));
    }

  private:
    static std::uint64_t pack(std::u16string_view letters) {
        std::uint64_t packed = 0;
        for (char16_t c : letters) packed = packed << 16 | c;
        return packed;
    }

    std::size_t length_;
    std::vector<std::uint64_t> windows_;
};

const ListMembers vowels(kVowels, 1);
const ListMembers lastLetterList(kLastLetters, 1);
const ListMembers tripleSuffixes(kTripleSuffixes, 3);
const ListMembers pairSuffixes(kPairSuffixes, 2);
const ListMembers threeLetterPrefixes(kThreeLetterPrefixes, 3);
const ListMembers twoLetterPrefixes(kTwoLetterPrefixes, 2);
const ListMembers oneLetterPrefixes(kOneLetterPrefixes, 1);

std::u16string_view lastLetters(const std::u16string& s, std::size_t n) {
    return std::u16string_view(s).substr(s.size() - n);
}

std::u16string_view firstLetters(const std::u16string& s, std::size_t n) {
    return std::u16string_view(s).substr(0, n);
}

void dropLast(std::u16string& s, std::size_t n) { s.resize(s.size() - n); }

void dropFirst(std::u16string& s, std::size_t n) { s.erase(0, n); }

void dropVowelRun(std::u16string& s) {
    std::size_t keep = s.size();
    while (keep > 0 && vowels.contains(std::u16string_view(&s[keep - 1], 1))) --keep;
    s.resize(keep);
}

void trim(std::u16string& s) {
    const auto isControlOrBlank = [](char16_t c) { return c <= u' '; };
    std::size_t end = s.size();
    while (end > 0 && isControlOrBlank(s[end - 1])) --end;
    std::size_t begin = 0;
    while (begin < end && isControlOrBlank(s[begin])) ++begin;
    s.resize(end);
    s.erase(0, begin);
}

// Simple case mapping per code unit, so the length never changes; surrogate halves map to
// themselves.
void lowerEveryLetter(std::u16string& s) {
    for (char16_t& c : s) {
        const UChar32 lower = u_tolower(c);
        if (lower <= 0xFFFF) c = static_cast<char16_t>(lower);
    }
}

void stripOnce(std::u16string& s) {
    const auto size = [&s] { return s.size(); };
    if (size() > 3 && s.ends_with(kReflexiveEnding)) dropLast(s, 2);
    if (size() > 4 && s.ends_with(kIngEnding)) dropLast(s, 3);
    if (size() > 3) dropVowelRun(s);
    if (size() > 3 && lastLetterList.contains(lastLetters(s, 1))) dropLast(s, 1);
    if (size() > 3 && s.ends_with(kReflexiveEnding)) dropLast(s, 2);
    // The first letter of a matched triple stays.
    while (size() > 3 && tripleSuffixes.contains(lastLetters(s, 3))) dropLast(s, 2);
    while (size() > 3 && pairSuffixes.contains(lastLetters(s, 2))) dropLast(s, 2);
    if (size() > 3) dropVowelRun(s);
    if (size() > 4 && s.starts_with(kLongPrefix)) dropFirst(s, 4);
    if (size() > 3 && threeLetterPrefixes.contains(firstLetters(s, 3))) dropFirst(s, 3);
    if (size() > 2 && twoLetterPrefixes.contains(firstLetters(s, 2))) dropFirst(s, 2);
    if (size() > 1 && oneLetterPrefixes.contains(firstLetters(s, 1))) dropFirst(s, 1);
}

}  // namespace

std::u16string clean(std::u16string s) {
    const bool hasOpeningGuillemet = s.find(u'\u00AB') != std::u16string::npos;
    // Every row deletes a different character (the blank has two rows), so deleting each row's
    // first occurrence in turn is the same as giving every occurrence, from the left, the first
    // unused row that deletes its character.
    std::bitset<kCleanRows.size()> used;
    const auto takeRow = [&](char16_t c) {
        for (std::size_t row = 0; row < kCleanRows.size(); ++row) {
            const CleanRow& r = kCleanRows[row];
            if (used[row] || r.deleted != c) continue;
            if (r.tested != r.deleted && !hasOpeningGuillemet) return false;
            used[row] = true;
            return true;
        }
        return false;
    };
    std::size_t kept = 0;
    for (char16_t c : s) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + (u'a' - u'A'));
        if (mayBeDeleted(c) && takeRow(c)) continue;
        s[kept++] = c;
    }
    s.resize(kept);
    return s;
}

bool cleanLeavesAlone(std::u16string_view s) {
    return std::ranges::none_of(
        s, [](char16_t c) { return (c >= u'A' && c <= u'Z') || mayBeDeleted(c); });
}

std::u16string RootOfWord(std::u16string s) {
    trim(s);
    lowerEveryLetter(s);
    stripOnce(s);
    stripOnce(s);
    return s;
}

}  // namespace orvell
