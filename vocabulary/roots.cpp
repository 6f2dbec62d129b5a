#include "roots.h"

#include <unicode/uchar.h>

#include <string_view>

namespace orvell {

namespace {

// One row of the punctuation table of clean: when `tested` occurs in the word, the first
// `deleted` goes. Every row but the guillemets tests the character it deletes.
struct CleanRow {
    char16_t tested;
    char16_t deleted;
};

constexpr CleanRow kCleanRows[] = {
    {u' ', u' '},           {u' ', u' '},           {u',', u','},
    {u'.', u'.'},           {u'"', u'"'},           {u':', u':'},
    {u'!', u'!'},           {u'?', u'?'},           {u'-', u'-'},
    {u'(', u'('},           {u')', u')'},           {u'[', u'['},
    {u']', u']'},           {u'\u201D', u'\u201D'}, {u'\u201C', u'\u201C'},
    {u'\u00AB', u'\u00BB'},  // a closing guillemet goes only when an opening one is there
    {u';', u';'},
};

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

bool isMember(std::u16string_view list, std::u16string_view candidate) {
    return list.find(candidate) != std::u16string_view::npos;
}

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
    while (keep > 0 && isMember(kVowels, std::u16string_view(&s[keep - 1], 1))) --keep;
    s.resize(keep);
}

void trim(std::u16string& s) {
    const auto isControlOrBlank = [](char16_t c) { return c <= u' '; };
    std::size_t end = s.size();
    while (end > 0 && isControlOrBlank(s[end - 1])) --end;
    std::size_t begin = 0;
    while (begin < end && isControlOrBlank(s[begin])) ++begin;
    s = s.substr(begin, end - begin);
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
    if (size() > 3 && isMember(kLastLetters, lastLetters(s, 1))) dropLast(s, 1);
    if (size() > 3 && s.ends_with(kReflexiveEnding)) dropLast(s, 2);
    // The first letter of a matched triple stays.
    while (size() > 3 && isMember(kTripleSuffixes, lastLetters(s, 3))) dropLast(s, 2);
    while (size() > 3 && isMember(kPairSuffixes, lastLetters(s, 2))) dropLast(s, 2);
    if (size() > 3) dropVowelRun(s);
    if (size() > 4 && s.starts_with(kLongPrefix)) dropFirst(s, 4);
    if (size() > 3 && isMember(kThreeLetterPrefixes, firstLetters(s, 3))) dropFirst(s, 3);
    if (size() > 2 && isMember(kTwoLetterPrefixes, firstLetters(s, 2))) dropFirst(s, 2);
    if (size() > 1 && isMember(kOneLetterPrefixes, firstLetters(s, 1))) dropFirst(s, 1);
}

}  // namespace

std::u16string clean(std::u16string s) {
    for (char16_t& c : s) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + (u'a' - u'A'));
    }
    for (const CleanRow& row : kCleanRows) {
        if (s.find(row.tested) == std::u16string::npos) continue;
        const std::size_t at = s.find(row.deleted);
        if (at != std::u16string::npos) s.erase(at, 1);
    }
    return s;
}

std::u16string RootOfWord(std::u16string s) {
    trim(s);
    lowerEveryLetter(s);
    stripOnce(s);
    stripOnce(s);
    return s;
}

}  // namespace orvell
