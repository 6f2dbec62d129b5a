#pragma once

#include <cstdint>
#include <deque>
#include <limits>
#include <memory>
#include <vector>

#include "engine/display_entry.h"

namespace orvell {

// The reading script (`sarr`): numbered slots, each empty or holding one entry. The script is
// the run of filled slots from slot 0; it ends at the first empty slot. It grows as entries are
// stored, so any text that fits in memory fits; only the index type bounds it, at kMaxEntries,
// so that the slot after the last entry always exists and stays empty.
//
// Word entries are allocated one by one as they are stored. Pauses are all alike and never
// change, so every pause slot refers to one shared entry instead of a copy of its own.
class ReadingScript {
  public:
    // Two below the index type's limit, so that a position plus a pause pair never overflows.
    static constexpr std::int32_t kMaxEntries = std::numeric_limits<std::int32_t>::max() - 2;

    // Empties every slot, slot 0 included.
    void reset();

    // The entry in slot i, or nullptr when the slot is empty or i is outside the script.
    const DisplayEntry* at(std::int32_t i) const;
    bool filled(std::int32_t i) const { return at(i) != nullptr; }

    // Stores e in slot i (0 <= i < kMaxEntries, else std::out_of_range), replacing what the
    // slot held; the script grows to reach slot i. `position` is where in the text the entry
    // was cut from, in UTF-16 units: a word's first unit; for a pause, that of the word after.
    void store(std::int32_t i, DisplayEntry e, std::int32_t position = 0);
    // Stores a pause entry in slot i, as store(i, pauseEntry(), position) would.
    void storePause(std::int32_t i, std::int32_t position = 0);
    // How many slots have been stored to, the empty ones among them included.
    std::int32_t size() const { return static_cast<std::int32_t>(slots_.size()); }
    // The position of slot i's entry; 0 for a slot outside the script.
    std::int32_t position(std::int32_t i) const;

    // Marks slot i, the last one stored, as the first entry of a sentence, and of a paragraph
    // (after a line break) too when `paragraph`. The marks ascend.
    void markStart(std::int32_t i, bool paragraph);
    const std::vector<std::int32_t>& sentenceStarts() const { return sentenceStarts_; }
    const std::vector<std::int32_t>& paragraphStarts() const { return paragraphStarts_; }
    // The last slot at or before `position`'s entry: the entry a place in the text belongs
    // to, searched among the first `count` slots; 0 when there is none.
    std::int32_t entryAt(std::int32_t position, std::int32_t count) const;

  private:
    struct SlotDeleter {
        void operator()(const DisplayEntry* e) const;
    };
    using Slot = std::unique_ptr<const DisplayEntry, SlotDeleter>;

    Slot& slot(std::int32_t i, std::int32_t position);

    // A deque grows block by block: growing never moves or copies the slots already there, so
    // a long text never stalls the reading that runs while it is cut.
    std::deque<Slot> slots_;
    std::deque<std::int32_t> positions_;  // beside the slots, four bytes an entry
    std::vector<std::int32_t> sentenceStarts_;
    std::vector<std::int32_t> paragraphStarts_;
};

}  // namespace orvell
