#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/display_entry.h"
#include "engine/reading_script.h"
#include "engine/segmentation.h"

namespace orvell::test {

// How a pause shows in a script written out as text.
inline constexpr std::u16string_view kPause = u"<pause>";

// An entry joined back into its word, a pause as kPause.
inline std::u16string joined(const DisplayEntry& e) {
    return e == pauseEntry() ? std::u16string(kPause) : e.left + e.focus + e.right;
}

// Slot i's entry; an empty slot reads as one that no test expects.
inline DisplayEntry entryAt(const ReadingScript& sarr, std::int32_t i) {
    return sarr.at(i).value_or(DisplayEntry{u"", u"<empty slot>", u""});
}

// The script as the pacing sees it, up to the first empty slot.
inline std::vector<std::u16string> scriptWords(const ReadingScript& sarr) {
    std::vector<std::u16string> words;
    for (std::int32_t i = 0; const auto e = sarr.at(i); ++i) words.push_back(joined(*e));
    return words;
}

struct CutOutcome {
    CutResult result;
    std::int32_t k1;
    int yields;
    std::vector<std::u16string> words;
};

inline constexpr std::int32_t kPreviousK1 = -7;

// Cuts text into a fresh script with a yield that only counts.
inline CutOutcome cutCounting(std::u16string_view text) {
    auto sarr = std::make_unique<ReadingScript>();
    CutOutcome out{CutResult::Abandoned, kPreviousK1, 0, {}};
    out.result = cutText(std::u16string(text), *sarr, out.k1, [&out] {
        ++out.yields;
        return true;
    });
    out.words = scriptWords(*sarr);
    return out;
}

}  // namespace orvell::test
