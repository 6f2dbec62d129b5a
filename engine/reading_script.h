#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "display_entry.h"

namespace orvell {

// The reading script (`sarr`): a fixed number of slots, each empty or holding one separately
// allocated entry. The script is the run of filled slots from slot 0; it ends at the first
// empty slot, so at most kMaxEntries entries fit and the slot after the last one stays empty.
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

    // Stores e in slot i (0 <= i < kSlots), replacing what the slot held.
    void store(std::int32_t i, DisplayEntry e);

private:
    std::vector<std::unique_ptr<DisplayEntry>> slots_;
};

}  // namespace orvell
