#include "engine/segmentation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <memory>
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

// A word collected before a delimiter, blanks removed, as a span of the text; it may be empty.
// With `carriageReturn` it is the span and a CR: a line feed alone is cut as CR LF.
struct CollectedWord {
    std::int32_t position;
    std::size_t length;
    char16_t last;  // its last unit, when not empty
    bool carriageReturn;
};

// What the cutting looks back at in the entries it wrote.
struct Written {
    bool pause = false;
    bool lineBreak = false;  // a line break alone
    bool sentenceEnd = false;
};

enum class Step { Go, Full, Abandon };

// What happens at each delimiter: the pauses that the entries so far call for (after a sentence
// or a line break, where an empty line's break is dropped instead), then the word collected
// before the delimiter, followed by the yield.
class Cutter {
  public:
    Cutter(ReadingScript& sarr, const YieldFn& yield) : sarr_(sarr), yield_(yield) {}

    std::int32_t writePosition() const { return p_; }

    Step delimit(const CollectedWord& w) {
        if (p_ > 0 && written(p_ - 1).sentenceEnd && !writePauses(w.position)) return Step::Full;
        if (p_ > 2 && written(p_ - 1).lineBreak) {
            if (written(p_ - 2).pause || written(p_ - 2).lineBreak) {
                // The line break leaves the script; its slot is overwritten by the next entry.
                --p_;
            } else if (!writePauses(w.position)) {
                return Step::Full;
            }
        }
        if (w.length == 0) return Step::Go;
        if (p_ >= ReadingScript::kMaxEntries) return Step::Full;
        sarr_.storeWord(p_, w.position, w.carriageReturn);
        // A word of one unit is all focus; a sentence ends with a mark after the focus.
        const bool lineBreak = w.length == 1 && isLineBreak(w.last);
        const bool sentenceEnd =
            w.length > 1 && kSentenceMarks.find(w.last) != std::u16string_view::npos;
        written(p_) = {false, lineBreak, sentenceEnd};
        markStart(lineBreak, isLineBreak(w.last));
        if (!yield_()) return Step::Abandon;
        ++p_;
        return Step::Go;
    }

  private:
    // Only the last three slots are ever looked back at, so four remembered are enough.
    Written& written(std::int32_t slot) { return written_[static_cast<std::size_t>(slot) % 4]; }

    // A word after a pause starts a sentence, one after a line break a paragraph; an empty
    // line's break is no word, and the line it ends is still to start.
    void markStart(bool bareLineBreak, bool endsWithLineBreak) {
        if (!bareLineBreak) {
            const bool paragraph = p_ == 0 || lineBroken_;
            if (paragraph || written(p_ - 1).pause) sarr_.markStart(p_, paragraph);
            lineBroken_ = false;
        }
        if (endsWithLineBreak) lineBroken_ = true;
    }

    // A pair that does not fit whole is not written.
    bool writePauses(std::int32_t position) {
        if (p_ + 2 > ReadingScript::kMaxEntries) return false;
        for (const std::int32_t slot : {p_, p_ + 1}) {
            sarr_.storePause(slot, position);
            written(slot) = {true, false, false};
        }
        p_ += 2;
        return true;
    }

    ReadingScript& sarr_;
    const YieldFn& yield_;
    std::int32_t p_ = 0;
    bool lineBroken_ = false;  // a line break came since the last word
    std::array<Written, 4> written_{};
};

// Texts are far below 2^31 units: a book is read whole into memory first.
std::int32_t positionOf(std::size_t i) {
    constexpr auto kMost = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(std::min(i, kMost));
}

CollectedWord collected(std::u16string_view text, std::size_t start, std::size_t end,
                        bool carriageReturn = false) {
    const std::size_t length = end - start + (carriageReturn ? 1 : 0);
    const char16_t last = carriageReturn ? u'\r' : length > 0 ? text[end - 1] : u'\0';
    return {positionOf(start), length, last, carriageReturn};
}

Step cutAll(std::u16string_view text, LineFeeds lineFeeds, Cutter& cutter) {
    std::size_t start = 0;  // the word being collected is text[start, i]
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (!isDelimiter(c)) continue;
        if (c == u'\n' && lineFeeds == LineFeeds::AsCrLf && (i == 0 || text[i - 1] != u'\r')) {
            // A line feed alone, as the text box ends its lines, is cut as CR LF would be.
            const Step step = cutter.delimit(collected(text, start, i, true));
            if (step != Step::Go) return step;
            start = i;
        }
        // Blanks are delimiters, so the only blank the word can hold is c itself.
        const std::size_t end = c == u' ' ? i : i + 1;
        const Step step = cutter.delimit(collected(text, start, end));
        if (step != Step::Go) return step;
        start = i + 1;
    }
    // A last word without a delimiter after it is cut as if the end of the text were one.
    if (start < text.size()) return cutter.delimit(collected(text, start, text.size()));
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

std::size_t wordEnd(std::u16string_view text, std::size_t start) {
    std::size_t i = start;
    while (i < text.size() && !isDelimiter(text[i])) ++i;
    return i < text.size() && text[i] != u' ' ? i + 1 : i;
}

CutResult cutText(std::u16string text, ReadingScript& sarr, std::int32_t& k1, const YieldFn& yield,
                  LineFeeds lineFeeds) {
    // Shared, so that a newer script set from inside the yield cannot take it from under the
    // cutting.
    const auto kept = std::make_shared<const std::u16string>(std::move(text));
    sarr.setText(kept);
    Cutter cutter(sarr, yield);
    if (cutAll(*kept, lineFeeds, cutter) == Step::Abandon) return CutResult::Abandoned;
    k1 = cutter.writePosition();
    return CutResult::Finished;
}

}  // namespace orvell
