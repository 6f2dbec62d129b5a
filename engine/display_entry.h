#pragma once

#include <string>

namespace orvell {

// One entry of the reading script: the part before the focus letter, the focus letter (one
// UTF-16 code unit) and the part after it. Joined, a word entry gives back the word as cut,
// with the delimiter that ended it.
struct DisplayEntry {
    std::u16string left;
    std::u16string focus;
    std::u16string right;

    bool operator==(const DisplayEntry&) const = default;
};

// A pause is six blanks, one blank and eight blanks; the lengths matter to the pacing.
DisplayEntry pauseEntry();
bool isPause(const DisplayEntry& e);
// A line-break entry: a word that is one line feed or one carriage return.
bool isLineBreak(const DisplayEntry& e);

}  // namespace orvell
