#include "engine/reading_script.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace orvell {

namespace {

// Never destroyed, so that scripts destroyed at exit can still tell it from their own entries.
const DisplayEntry* sharedPause() {
    static const DisplayEntry* const pause = new DisplayEntry(pauseEntry());
    return pause;
}

}  // namespace

void ReadingScript::SlotDeleter::operator()(const DisplayEntry* e) const {
    if (e != sharedPause()) delete e;
}

void ReadingScript::reset() {
    slots_.clear();
    positions_.clear();
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

const DisplayEntry* ReadingScript::at(std::int32_t i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= slots_.size()) return nullptr;
    return slots_[static_cast<std::size_t>(i)].get();
}

std::int32_t ReadingScript::position(std::int32_t i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= positions_.size()) return 0;
    return positions_[static_cast<std::size_t>(i)];
}

ReadingScript::Slot& ReadingScript::slot(std::int32_t i, std::int32_t position) {
    if (i < 0 || i >= kMaxEntries) throw std::out_of_range("reading script slot");
    const auto index = static_cast<std::size_t>(i);
    if (index >= slots_.size()) {
        slots_.resize(index + 1);
        positions_.resize(index + 1);
    }
    positions_[index] = position;
    return slots_[index];
}

void ReadingScript::store(std::int32_t i, DisplayEntry e, std::int32_t position) {
    slot(i, position).reset(new DisplayEntry(std::move(e)));
}

void ReadingScript::storePause(std::int32_t i, std::int32_t position) {
    slot(i, position).reset(sharedPause());
}

}  // namespace orvell
