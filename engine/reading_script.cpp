#include "engine/reading_script.h"

#include <algorithm>
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

ReadingScript::ReadingScript() : slots_(kSlots) {}

void ReadingScript::reset() {
    // Only slots below the highest one ever filled can hold an entry.
    for (std::size_t i = 0; i < used_; ++i) slots_[i].reset();
    used_ = 0;
}

const DisplayEntry* ReadingScript::at(std::int32_t i) const {
    if (i < 0 || i >= kSlots) return nullptr;
    return slots_[static_cast<std::size_t>(i)].get();
}

ReadingScript::Slot& ReadingScript::slot(std::int32_t i) {
    Slot& s = slots_.at(static_cast<std::size_t>(i));
    used_ = std::max(used_, static_cast<std::size_t>(i) + 1);
    return s;
}

void ReadingScript::store(std::int32_t i, DisplayEntry e) {
    slot(i).reset(new DisplayEntry(std::move(e)));
}

void ReadingScript::storePause(std::int32_t i) { slot(i).reset(sharedPause()); }

}  // namespace orvell
