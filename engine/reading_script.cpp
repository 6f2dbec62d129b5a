#include "engine/reading_script.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "engine/segmentation.h"

namespace orvell {

void ReadingScript::reset() {
    text_.reset();
    positions_.clear();
    kinds_.clear();
    own_.clear();
    sentenceStarts_.clear();
    paragraphStarts_.clear();
}

void ReadingScript::markStart(std::int32_t i, bool paragraph) {
    sentenceStarts_.push_back(i);
    if (paragraph) paragraphStarts_.push_back(i);
}

std::int32_t ReadingScript::entryAt(std::int32_t position, std::int32_t count) const {
    const auto end =
        positions_.begin() + std::clamp<std::ptrdiff_t>(count, 0, std::ssize(positions_));
    const auto after = std::upper_bound(positions_.begin(), end, position);
    return after == positions_.begin() ? 0
                                       : static_cast<std::int32_t>(after - positions_.begin() - 1);
}

ReadingScript::Kind ReadingScript::kind(std::int32_t i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= kinds_.size()) return Kind::Empty;
    return kinds_[static_cast<std::size_t>(i)];
}

std::optional<DisplayEntry> ReadingScript::at(std::int32_t i) const {
    switch (kind(i)) {
        case Kind::Empty:
            return std::nullopt;
        case Kind::Pause:
            return pauseEntry();
        case Kind::Own:
            return own_.at(i);
        case Kind::Word:
        case Kind::WordBeforeLineFeed:
            break;
    }
    const std::u16string_view text = *text_;
    const auto start = static_cast<std::size_t>(positions_[static_cast<std::size_t>(i)]);
    const std::size_t end = wordEnd(text, start);
    if (kind(i) == Kind::Word) return cutWord(text.substr(start, end - start));
    // The line feed is the word's delimiter: the word is what comes before it, and a CR.
    std::u16string word(text.substr(start, end - 1 - start));
    word += u'\r';
    return cutWord(word);
}

std::int32_t ReadingScript::position(std::int32_t i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= positions_.size()) return 0;
    return positions_[static_cast<std::size_t>(i)];
}

void ReadingScript::put(std::int32_t i, Kind kind, std::int32_t position) {
    if (i < 0 || i >= kMaxEntries) throw std::out_of_range("reading script slot");
    const auto index = static_cast<std::size_t>(i);
    if (index >= kinds_.size()) {
        kinds_.resize(index + 1, Kind::Empty);
        positions_.resize(index + 1);
    }
    if (kinds_[index] == Kind::Own) own_.erase(i);
    kinds_[index] = kind;
    positions_[index] = position;
}

void ReadingScript::storeWord(std::int32_t i, std::int32_t position, bool carriageReturn) {
    put(i, carriageReturn ? Kind::WordBeforeLineFeed : Kind::Word, position);
}

void ReadingScript::store(std::int32_t i, DisplayEntry e, std::int32_t position) {
    put(i, Kind::Own, position);
    own_.insert_or_assign(i, std::move(e));
}

void ReadingScript::storePause(std::int32_t i, std::int32_t position) {
    put(i, Kind::Pause, position);
}

}  // namespace orvell
