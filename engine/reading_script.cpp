#include "reading_script.h"

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
    for (Slot& s : slots_) s.reset();
}

const DisplayEntry* ReadingScript::at(std::int32_t i) const {
    if (i < 0 || i >= kSlots) return nullptr;
    return slots_[static_cast<std::size_t>(i)].get();
}

ReadingScript::Slot& ReadingScript::slot(std::int32_t i) {
    return slots_.at(static_cast<std::size_t>(i));
}

void ReadingScript::store(std::int32_t i, DisplayEntry e) {
    slot(i).reset(new DisplayEntry(std::move(e)));
}

void ReadingScript::storePause(std::int32_t i) { slot(i).reset(sharedPause()); }

}  // namespace orvell
