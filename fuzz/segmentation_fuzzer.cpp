// Cuts arbitrary UTF-16 text and checks the script against what the cutting promises: the words
// of the text in order, each with its focus rule, pauses in pairs only where a sentence or a line
// ends, line breaks dropped only after a pause or another line break, and the end of the script
// at an empty slot, and each word entry a span of the text. An odd last byte of the input
// abandons the cutting at the yield it names.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/display_entry.h"
#include "engine/reading_script.h"
#include "engine/segmentation.h"
#include "fuzz/require.h"

namespace {

using orvell::CutResult;
using orvell::DisplayEntry;
using orvell::isLineBreak;
using orvell::ReadingScript;

constexpr std::size_t kMaxUnits = 1 << 13;
// What k1 holds before the cutting; a cutting that is abandoned must leave it so.
constexpr std::int32_t kPreviousK1 = -7;

constexpr std::u16string_view kDelimiters = u"\n\r .,!?:;)-";
constexpr std::u16string_view kFocusVowels = u"уеэоаяию";

bool isDelimiter(char16_t c) { return kDelimiters.find(c) != std::u16string_view::npos; }

std::u16string joined(const DisplayEntry& e) { return e.left + e.focus + e.right; }

// Slot i's entry, which must be there.
DisplayEntry entryAt(const ReadingScript& sarr, std::int32_t i) {
    const std::optional<DisplayEntry> e = sarr.at(i);
    ORVELL_REQUIRE(e.has_value());
    return e.value_or(DisplayEntry{});
}

bool endsSentence(const DisplayEntry& e) {
    return !e.right.empty() &&
           std::u16string_view(u".?!").find(e.right.back()) != std::u16string_view::npos;
}

// The words the cutting must collect, in order: a delimiter ends a word and stays at its end,
// except the blank, which is dropped; the end of the text ends the last word; no word is empty.
std::vector<std::u16string> wordsOf(std::u16string_view text) {
    std::vector<std::u16string> words(1);
    for (const char16_t c : text) {
        if (c != u' ') words.back() += c;
        if (isDelimiter(c) && !words.back().empty()) words.emplace_back();
    }
    if (words.back().empty()) words.pop_back();
    return words;
}

void requireWordEntry(const DisplayEntry& e, std::u16string_view word) {
    ORVELL_REQUIRE(joined(e) == word);
    ORVELL_REQUIRE(e.focus.size() == 1);
    const std::size_t n = word.size();
    const bool vowelSecond = n == 3 && kFocusVowels.find(word[1]) != std::u16string_view::npos;
    ORVELL_REQUIRE(e.left.size() == (vowelSecond ? 1 : (n - 1) / 3));
}

bool isExactPause(const DisplayEntry& e) {
    return e.left == u"      " && e.focus == u" " && e.right == u"        ";
}

struct Stored {
    std::int32_t slot;
    DisplayEntry entry;
};

// Watches the yields: every word entry is complete when its yield comes, lies 0 (over a dropped
// line break), 1 or 3 (after a pause pair) slots after the previous one, and k1 is untouched.
class YieldWatch {
  public:
    YieldWatch(const ReadingScript& sarr, const std::int32_t& k1, std::optional<std::size_t> stopAt)
        : sarr_(sarr), k1_(k1), stopAt_(stopAt) {}

    bool operator()() {
        ORVELL_REQUIRE(k1_ == kPreviousK1);
        std::int32_t e = std::max(last_, 0);
        ORVELL_REQUIRE(sarr_.filled(e));
        while (sarr_.filled(e + 1) && e <= last_ + 3) ++e;
        const std::int32_t step = e - last_;
        ORVELL_REQUIRE(step == 0 || step == 1 || step == 3);
        if (step == 0) {
            // A line break is dropped only when a pause or another line break comes before it.
            ORVELL_REQUIRE(isLineBreak(stored_.back().entry) && e >= 2);
            const DisplayEntry before = entryAt(sarr_, e - 1);
            ORVELL_REQUIRE(orvell::isPause(before) || isLineBreak(before));
        }
        if (step == 3) {
            ORVELL_REQUIRE(isExactPause(entryAt(sarr_, e - 2)) &&
                           isExactPause(entryAt(sarr_, e - 1)));
        }
        ORVELL_REQUIRE(!sarr_.filled(e + 1));
        stored_.push_back({e, entryAt(sarr_, e)});
        last_ = e;
        return !stopAt_ || stored_.size() < *stopAt_;
    }

    const std::vector<Stored>& stored() const { return stored_; }
    std::int32_t last() const { return last_; }

  private:
    const ReadingScript& sarr_;
    const std::int32_t& k1_;
    std::optional<std::size_t> stopAt_;
    std::vector<Stored> stored_;
    std::int32_t last_ = -1;
};

std::int32_t firstEmpty(const ReadingScript& sarr) {
    std::int32_t i = 0;
    while (sarr.filled(i)) ++i;
    return i;
}

void requireAbandoned(const ReadingScript& sarr, const YieldWatch& watch, std::size_t stopAt,
                      const std::vector<std::u16string>& words) {
    ORVELL_REQUIRE(watch.stored().size() == stopAt);
    // Nothing is written after the yield that said stop.
    ORVELL_REQUIRE(firstEmpty(sarr) == watch.last() + 1);
    ORVELL_REQUIRE(!sarr.filled(watch.last() + 2) && !sarr.filled(watch.last() + 3));
    for (std::size_t i = 0; i < watch.stored().size(); ++i) {
        requireWordEntry(watch.stored()[i].entry, words[i]);
    }
}

// The pauses of the finished script: exactly two, never first, after a word that ends a
// sentence or after a line break that stays; and every such word or line break not last in the
// script is followed by them. A line break stays only after a word that is not a line break.
void requirePauses(const ReadingScript& sarr, std::int32_t k1) {
    const auto pauseAt = [&](std::int32_t i) {
        return i >= 0 && i < k1 && orvell::isPause(entryAt(sarr, i));
    };
    for (std::int32_t i = 0; i < k1; ++i) {
        const DisplayEntry e = entryAt(sarr, i);
        if (orvell::isPause(e)) {
            ORVELL_REQUIRE(isExactPause(e));
            ORVELL_REQUIRE(i > 0);
            if (pauseAt(i - 1)) {
                ORVELL_REQUIRE(!pauseAt(i - 2) && !pauseAt(i + 1));
            } else {
                const DisplayEntry before = entryAt(sarr, i - 1);
                ORVELL_REQUIRE(endsSentence(before) || (isLineBreak(before) && i - 1 >= 2));
                ORVELL_REQUIRE(pauseAt(i + 1));
            }
            continue;
        }
        const bool lineBreakRule = isLineBreak(e) && i >= 2;
        if ((endsSentence(e) || lineBreakRule) && i + 1 < k1) {
            ORVELL_REQUIRE(pauseAt(i + 1) && pauseAt(i + 2));
        }
        if (lineBreakRule && i + 1 < k1) {
            const DisplayEntry before = entryAt(sarr, i - 1);
            ORVELL_REQUIRE(!orvell::isPause(before) && !isLineBreak(before));
        }
    }
}

// The script keeps no words of its own: each word entry, joined, is the text at its position.
void requireSpansOfTheText(const ReadingScript& sarr, std::int32_t end, std::u16string_view text) {
    for (std::int32_t i = 0; i < end; ++i) {
        const DisplayEntry e = entryAt(sarr, i);
        if (orvell::isPause(e)) continue;
        const std::u16string word = joined(e);
        const auto at = static_cast<std::size_t>(sarr.position(i));
        ORVELL_REQUIRE(text.substr(at, word.size()) == word);
    }
}

void requireFinished(const ReadingScript& sarr, std::int32_t k1, const YieldWatch& watch,
                     const std::vector<std::u16string>& words, std::u16string_view text) {
    ORVELL_REQUIRE(k1 >= 0 && k1 <= ReadingScript::kMaxEntries);
    const std::vector<Stored>& stored = watch.stored();
    // One yield per word of the text, each word cut by the focus rule.
    ORVELL_REQUIRE(stored.size() == words.size());
    for (std::size_t i = 0; i < words.size(); ++i) requireWordEntry(stored[i].entry, words[i]);

    // The script ends at slot k1, or one further when a dropped line break still fills it.
    const std::int32_t end = firstEmpty(sarr);
    ORVELL_REQUIRE(end == k1 || end == k1 + 1);
    if (end == k1 + 1) {
        ORVELL_REQUIRE(k1 >= 2 && stored.back().slot == k1);
        ORVELL_REQUIRE(isLineBreak(entryAt(sarr, k1)) && entryAt(sarr, k1) == stored.back().entry);
    } else if (!stored.empty()) {
        const std::int32_t tail = k1 - 1 - stored.back().slot;
        ORVELL_REQUIRE(tail == 0 || tail == 2);
    }

    // Every word slot holds the last word stored there; a word that was written over, or left
    // beyond the count, is a dropped line break.
    std::vector<const DisplayEntry*> lastStored(static_cast<std::size_t>(end), nullptr);
    for (const Stored& s : stored) {
        ORVELL_REQUIRE(s.slot < end);
        const DisplayEntry*& slot = lastStored[static_cast<std::size_t>(s.slot)];
        if (slot != nullptr) ORVELL_REQUIRE(isLineBreak(*slot));
        slot = &s.entry;
    }
    for (std::int32_t i = 0; i < k1; ++i) {
        const DisplayEntry e = entryAt(sarr, i);
        const DisplayEntry* word = lastStored[static_cast<std::size_t>(i)];
        ORVELL_REQUIRE(orvell::isPause(e) ? word == nullptr : word != nullptr && e == *word);
    }
    requirePauses(sarr, k1);
    requireSpansOfTheText(sarr, end, text);
}

ReadingScript& script() {
    static ReadingScript sarr;
    return sarr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size / 2 > kMaxUnits) return -1;
    const std::u16string text = orvell::fuzz::utf16FromBytes(data, size);
    std::optional<std::size_t> stopAt;
    if (size % 2 == 1) stopAt = std::size_t{std::span(data, size).back()} + 1;
    // The end of the previous input's script: the reset must empty everything before it.
    static std::int32_t previousEnd = 0;

    ReadingScript& sarr = script();
    sarr.reset();
    for (std::int32_t i = 0; i <= previousEnd; ++i) ORVELL_REQUIRE(!sarr.filled(i));

    std::int32_t k1 = kPreviousK1;
    YieldWatch watch(sarr, k1, stopAt);
    const std::vector<std::u16string> words = wordsOf(text);
    const CutResult result = orvell::cutText(text, sarr, k1, std::ref(watch));

    if (stopAt && *stopAt <= words.size()) {
        ORVELL_REQUIRE(result == CutResult::Abandoned && k1 == kPreviousK1);
        requireAbandoned(sarr, watch, *stopAt, words);
    } else {
        ORVELL_REQUIRE(result == CutResult::Finished);
        requireFinished(sarr, k1, watch, words, text);
    }
    previousEnd = firstEmpty(sarr);
    return 0;
}
