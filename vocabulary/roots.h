#pragma once

#include <string>
#include <string_view>

namespace orvell {

// Lower-cases A-Z and strips the first occurrence of each of a fixed set of punctuation marks.
std::u16string clean(std::u16string s);

// True only when clean(s) is s itself; a quick test that spares the copy for most roots.
bool cleanLeavesAlone(std::u16string_view s);

// Reduces a cleaned word to the rough root under which the vocabulary stores it.
std::u16string RootOfWord(std::u16string s);

}  // namespace orvell
