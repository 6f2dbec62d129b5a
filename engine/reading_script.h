#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/display_entry.h"

namespace orvell {

// The reading script (`sarr`): a fixed number of slots, each empty or holding one entry. The
// script is the run of filled slots from slot 0; it ends at the first empty slot, so at most
// kMaxEntries entries fit and the slot after the last one stays empty.
//
// Word entries are allocated one by one as they are stored. Pauses are all alike and never
// change, so every pause slot refers to one shared entry instead of a copy of its own.
class ReadingScript {
  public:
    static constexpr std::int32_t kSlots = 999'999;
    static constexpr std::int32_t kMaxEntries = kSlots - 1;

    ReadingScript();

    // Empties every slot, slot 0 included.
    void reset();

    // The entry in slot i, or nullptr when the slot is empty or i is outside the script.
    const DisplayEntry* at(std::int32_t i) const;
    bool filled(std::int32_t i) const { return at(i) != nullptr; }

    // Stores e in slot i (0 <= i < kSlots, else std::out_of_range), replacing what the slot
    // held.
    void store(std::int32_t i, DisplayEntry e);
    // Stores a pause entry in slot i, as store(i, pauseEntry()) would.
    void storePause(std::int32_t i);

  private:
    struct SlotDeleter {
        void operator()(const DisplayEntry* e) const;
    };
    using Slot = std::unique_ptr<const DisplayEntry, SlotDeleter>;

    Slot& slot(std::int32_t i);

    std::vector<Slot> slots_;
    std::size_t used_ = 0;  // one past the highest slot filled since the last reset
};

}  // namespace orvell
