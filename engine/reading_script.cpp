#include "engine/reading_script.h"

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

void ReadingScript::reset() { slots_.clear(); }

const DisplayEntry* ReadingScript::at(std::int32_t i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= slots_.size()) return nullptr;
    return slots_[static_cast<std::size_t>(i)].get();
}

ReadingScript::Slot& ReadingScript::slot(std::int32_t i) {
    if (i < 0 || i >= kMaxEntries) throw std::out_of_range("reading script slot");
    const auto index = static_cast<std::size_t>(i);
    if (index >= slots_.size()) slots_.resize(index + 1);
    return slots_[index];
}

void ReadingScript::store(std::int32_t i, DisplayEntry e) {
    slot(i).reset(new DisplayEntry(std::move(e)));
}

void ReadingScript::storePause(std::int32_t i) { slot(i).reset(sharedPause()); }

}  // namespace orvell
