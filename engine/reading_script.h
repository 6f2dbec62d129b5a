#pragma once

#include <cstdint>
#include <deque>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/display_entry.h"

namespace orvell {

// The reading script (`sarr`): numbered slots, each empty or holding one entry. The script is
// the run of filled slots from slot 0; it ends at the first empty slot. It grows as entries are
// stored, so any text that fits in memory fits; only the index type bounds it, at kMaxEntries,
// so that the slot after the last entry always exists and stays empty.
//
// A slot cut from the text holds no strings, only where its word starts in the text the script
// keeps: the word runs to the delimiter that ends it, and the focus rule splits it when the
// entry is asked for. Pauses are all alike. So an entry costs a few bytes, not three strings.
class ReadingScript {
  public:
    // Two below the index type's limit, so that a position plus a pause pair never overflows.
    static constexpr std::int32_t kMaxEntries = std::numeric_limits<std::int32_t>::max() - 2;

    // Empties every slot, slot 0 included, and lets go of the text.
    void reset();

    // The text that word slots are cut from, kept while the script is.
    void setText(std::shared_ptr<const std::u16string> text) { text_ = std::move(text); }

    // The entry in slot i, or nothing when the slot is empty or i is outside the script.
    std::optional<DisplayEntry> at(std::int32_t i) const;
    bool filled(std::int32_t i) const { return kind(i) != Kind::Empty; }
    bool isPauseAt(std::int32_t i) const { return kind(i) == Kind::Pause; }

    // Stores in slot i (0 <= i < kMaxEntries, else std::out_of_range) the word of the text
    // that starts at `position`: up to the delimiter that ends it, which it keeps unless it is
    // a blank. With `carriageReturn` the word ends before the line feed it reaches and takes a
    // CR in its place, as the first half of a CR LF line break.
    void storeWord(std::int32_t i, std::int32_t position, bool carriageReturn = false);
    // Stores e in slot i, as an entry of its own rather than a word of the text.
    void store(std::int32_t i, DisplayEntry e, std::int32_t position = 0);
    // Stores a pause entry in slot i; its position is that of the word after it.
    void storePause(std::int32_t i, std::int32_t position = 0);
    // How many slots have been stored to, the empty ones among them included.
    std::int32_t size() const { return static_cast<std::int32_t>(kinds_.size()); }
    // The position of slot i's entry in the text; 0 for a slot outside the script.
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
    enum class Kind : std::uint8_t { Empty, Word, WordBeforeLineFeed, Pause, Own };

    Kind kind(std::int32_t i) const;
    void put(std::int32_t i, Kind kind, std::int32_t position);

    std::shared_ptr<const std::u16string> text_;
    // A deque grows block by block: growing never moves the slots already there, so a long
    // text never stalls the reading that runs while it is cut.
    std::deque<std::int32_t> positions_;
    std::deque<Kind> kinds_;
    std::unordered_map<std::int32_t, DisplayEntry> own_;  // entries stored whole
    std::vector<std::int32_t> sentenceStarts_;
    std::vector<std::int32_t> paragraphStarts_;
};

}  // namespace orvell
