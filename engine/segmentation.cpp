#include "engine/segmentation.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

namespace orvell {

namespace {

// The characters that end a word. All but the blank stay at the end of the word they end.
constexpr std::u16string_view kDelimiters = u"\n\r .,!?:;)-";
// The vowels that move the focus of a three-letter word to its second letter.
constexpr std::u16string_view kFocusVowels = u"уеэоаяию";
constexpr std::u16string_view kSentenceMarks = u".?!";

bool isDelimiter(char16_t c) {
    // Most characters are letters, which are all above the delimiters.
    return c <= u'?' && kDelimiters.find(c) != std::u16string_view::npos;
}

bool isLineBreak(char16_t c) { return c == u'\n' || c == u'\r'; }

bool focusIsLineBreak(const DisplayEntry& e) {
    return e.focus.size() == 1 && isLineBreak(e.focus[0]);
}

bool endsSentence(const DisplayEntry& e) {
    return !e.right.empty() && kSentenceMarks.find(e.right.back()) != std::u16string_view::npos;
}

enum class Step { Go, Full, Abandon };

// What happens at each delimiter: the pauses that the entries so far call for (after a sentence
// or a line break, where an empty line's break is dropped instead), then the word collected
// before the delimiter, followed by the yield.
class Cutter {
  public:
    Cutter(ReadingScript& sarr, const YieldFn& yield) : sarr_(sarr), yield_(yield) {}

    std::int32_t writePosition() const { return p_; }

    // w is the word collected up to this delimiter, blanks removed; it may be empty. It starts
    // at `position` in the text.
    Step delimit(std::u16string_view w, std::int32_t position) {
        if (p_ > 0 && endsSentence(entry(p_ - 1)) && !writePauses(position)) return Step::Full;
        if (p_ > 2 && focusIsLineBreak(entry(p_ - 1))) {
            if (isPause(entry(p_ - 2)) || focusIsLineBreak(entry(p_ - 2))) {
                // The line break leaves the script; its slot is overwritten by the next entry.
                --p_;
            } else if (!writePauses(position)) {
                return Step::Full;
            }
        }
        if (w.empty()) return Step::Go;
        if (p_ >= ReadingScript::kMaxEntries) return Step::Full;
        sarr_.store(p_, cutWord(w), position);
        markStart(w);
        if (!yield_()) return Step::Abandon;
        ++p_;
        return Step::Go;
    }

  private:
    const DisplayEntry& entry(std::int32_t i) const { return *sarr_.at(i); }

    // A word after a pause starts a sentence, one after a line break a paragraph; an empty
    // line's break is no word, and the line it ends is still to start.
    void markStart(std::u16string_view w) {
        const bool bareLineBreak = w.size() == 1 && isLineBreak(w[0]);
        if (!bareLineBreak) {
            const bool paragraph = p_ == 0 || lineBroken_;
            if (paragraph || isPause(entry(p_ - 1))) sarr_.markStart(p_, paragraph);
            lineBroken_ = false;
        }
        if (isLineBreak(w.back())) lineBroken_ = true;
    }

    // A pair that does not fit whole is not written.
    bool writePauses(std::int32_t position) {
        if (p_ + 2 > ReadingScript::kMaxEntries) return false;
        sarr_.storePause(p_, position);
        sarr_.storePause(p_ + 1, position);
        p_ += 2;
        return true;
    }

    ReadingScript& sarr_;
    const YieldFn& yield_;
    std::int32_t p_ = 0;
    bool lineBroken_ = false;  // a line break came since the last word
};

// Texts are far below 2^31 units: a book is read whole into memory first.
std::int32_t positionOf(std::size_t i) {
    constexpr auto kMost = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(std::min(i, kMost));
}

Step cutAll(std::u16string_view text, Cutter& cutter) {
    std::size_t start = 0;  // the word being collected is text[start, i]
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (!isDelimiter(c)) continue;
        // Blanks are delimiters, so the only blank the word can hold is c itself.
        const std::size_t end = c == u' ' ? i : i + 1;
        const Step step = cutter.delimit(text.substr(start, end - start), positionOf(start));
        if (step != Step::Go) return step;
        start = i + 1;
    }
    // A last word without a delimiter after it is cut as if the end of the text were one.
    if (start < text.size()) return cutter.delimit(text.substr(start), positionOf(start));
    return Step::Go;
}

}  // namespace

DisplayEntry cutWord(std::u16string_view word) {
    const std::size_t n = word.size();
    std::size_t k = (n - 1) / 3;
    if (n == 3 && kFocusVowels.find(word[1]) != std::u16string_view::npos) k = 1;
    return {std::u16string(word.substr(0, k)), std::u16string(1, word.at(k)),
            std::u16string(word.substr(k + 1))};
}

// The text is taken by value: the events run by yield may change the caller's copy.
// NOLINTNEXTLINE(performance-unnecessary-value-param)
CutResult cutText(std::u16string text, ReadingScript& sarr, std::int32_t& k1,
                  const YieldFn& yield) {
    Cutter cutter(sarr, yield);
    if (cutAll(text, cutter) == Step::Abandon) return CutResult::Abandoned;
    k1 = cutter.writePosition();
    return CutResult::Finished;
}

}  // namespace orvell
