#pragma once

#include <string>

namespace orvell {

// Lower-cases A-Z and strips the first occurrence of each of a fixed set of punctuation marks.
std::u16string clean(std::u16string s);

// Reduces a cleaned word to the rough root under which the vocabulary stores it.
std::u16string RootOfWord(std::u16string s);

}  // namespace orvell
