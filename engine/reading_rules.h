#pragma once

#include <cstdint>

namespace orvell {

// How long each entry stays, as shares of the base interval in hundredths (70 is ×0.7). The
// defaults are the program's classic rules, under which every display time is what it always
// was.
struct PauseRules {
    // The length rules, by the length L of the entry's right part; a later rule overrides an
    // earlier one: L < shortBelow, otherwise, L > longAbove, L > veryLongAbove.
    int shortBelow = 2;
    int shortPercent = 70;
    int normalPercent = 100;
    int longAbove = 5;
    int longPercent = 150;
    int veryLongAbove = 7;
    int veryLongPercent = 200;
    // A comma, colon or semicolon in the right part; the learning factor then counts again.
    int punctuationPercent = 200;
    // A word whose root is new in the learning mode.
    int newRootPercent = 200;
    // The last word of a sentence (its right part ends in ".", "!" or "?").
    int sentenceEndPercent = 100;
    // A word with a digit in it.
    int numberPercent = 100;
    // How many pause entries are shown after a sentence end and after a line break.
    int sentencePauses = 2;
    int lineBreakPauses = 2;

    bool operator==(const PauseRules&) const = default;
};

// How many words one flash shows: short words are joined while the joined text is no wider
// than `width` characters. A join never goes across a comma, colon, semicolon, sentence end or
// line break.
struct FlashRules {
    int words = 1;
    int width = 13;

    bool operator==(const FlashRules&) const = default;
};

// What the chosen speed means.
struct SpeedRules {
    // The base interval is scaled so that the entries shown per minute, pauses and long words
    // included, equal the chosen speed.
    bool wordsPerMinute = false;
    // After a start, a resume or a move, the first words run slower: from warmUpFromPercent of
    // the speed up to the full speed over warmUpWords words.
    bool warmUp = false;
    int warmUpFromPercent = 60;
    int warmUpWords = 8;

    bool operator==(const SpeedRules&) const = default;
};

// Every rule of a reading that the reader may change.
struct ReadingRules {
    PauseRules pauses;
    FlashRules flash;
    SpeedRules speed;

    bool operator==(const ReadingRules&) const = default;
};

}  // namespace orvell
