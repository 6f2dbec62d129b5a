#include "engine/reading_core.h"

#include <algorithm>
#include <utility>

#include "engine/pacing.h"
#include "engine/rounding.h"
#include "engine/segmentation.h"
#include "engine/speed_table.h"

namespace orvell {

namespace {

// At two ticks a second this takes more than 33 years; the counter must never overflow.
constexpr std::int32_t kTickLimit = 2'100'000'000;

}  // namespace

Statistics statisticsAfterTick(std::int32_t j2, std::int32_t sh, std::int32_t k1,
                               std::int32_t startEntry) {
    Statistics s;
    s.lastTick = j2 > kTickLimit;
    s.j2 = j2 + 1;
    s.entries = std::to_string(sh) + " / " + std::to_string(k1 - 1);
    // Entries shown per minute of reading (a tick is half a second), pauses included. A step
    // back behind the start entry has shown nothing new yet.
    s.speed = roundHalfEven(std::max(std::int64_t{sh} - startEntry, std::int64_t{0}) * 120, s.j2);
    // Before the first cutting ends, or for a text without entries, k1 - 1 is -1, which no
    // range can have; while a new text is cut, k1 is still the previous reading's count.
    s.barMaximum = std::max(k1 - 1, 0);
    s.barPosition = std::clamp(sh, 0, s.barMaximum);
    return s;
}

std::int32_t resumeEntry(std::int32_t place, int speedIndex) {
    return std::max(place - stepBackDistance(speedIndex), 0);
}

ReadingCore::ReadingCore(LearningLookup lookup) : lookup_(std::move(lookup)) {}

void ReadingCore::applySpeed(int speedIndex) { j_ = baseIntervalFor(speedIndex, j_); }

void ReadingCore::resetScript(std::int32_t startEntry) {
    sarr_.reset();
    sh_ = startEntry;
    startEntry_ = startEntry;
    pendingStart_ = -1;
    ++generation_;
    cutting_ = false;
}

bool ReadingCore::cut(std::u16string text, const std::function<void()>& yield,
                      LineFeeds lineFeeds) {
    const std::uint64_t generation = generation_;
    cutting_ = true;
    // A newer start, made from inside the yield, resets the script: this cutting then stops
    // writing and leaves the script, k1 and the cutting flag to the newer one.
    const CutResult result = cutText(
        std::move(text), sarr_, k1_,
        [&] {
            yield();
            return generation == generation_;
        },
        lineFeeds);
    if (result != CutResult::Finished) return false;
    cutting_ = false;
    return true;
}

PacingTick ReadingCore::tick(bool learning) {
    PacingTick t;
    if (pendingStart_ >= 0) {
        // The word is known once the cutting has gone past it, or has ended.
        if (cutting_ && sarr_.position(sarr_.size() - 1) <= pendingStart_) return t;
        sh_ = startEntry_ = entryAt(pendingStart_);
        pendingStart_ = -1;
    }
    // Still at a start entry that the whole text does not reach: the text is not the one the
    // place was remembered for, so the reading starts from the beginning.
    if (sh_ == startEntry_ && sh_ > 0 && !cutting_ && !sarr_.filled(sh_)) sh_ = startEntry_ = 0;
    std::optional<DisplayEntry> e = sarr_.at(sh_);
    if (!e) {
        // The display has caught up with the cutting: wait for the entry.
        if (cutting_) return t;
        // Nothing to show: no script yet, or the cutting ended right behind the display, in
        // which case the entry shown last is the script's last one.
        if (sh_ > 0 && sarr_.filled(sh_ - 1)) --sh_;
        t.ends = true;
        return t;
    }
    const int factor = learning ? lookup_(*e) : 1;
    t.lengthInterval = lengthRuleInterval(j_, e->right.size(), factor);
    t.interval = hasPunctuationPause(e->right) ? punctuationInterval(t.lengthInterval, factor)
                                               : t.lengthInterval;
    t.shown = std::move(e);
    // While the text is still being cut, the next entry may simply not be there yet.
    if (sarr_.filled(sh_ + 1) || (cutting_ && sh_ + 1 < ReadingScript::kMaxEntries))
        ++sh_;
    else
        t.ends = true;
    return t;
}

void ReadingCore::stepBack(int speedIndex) {
    const std::int32_t moved = sh_ - stepBackDistance(speedIndex);
    sh_ = moved < 1 ? 0 : moved;
}

Statistics ReadingCore::statisticsTick() {
    Statistics s = statisticsAfterTick(j2_, sh_, k1_, startEntry_);
    j2_ = s.j2;
    return s;
}

}  // namespace orvell
