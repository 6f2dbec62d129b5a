#include "engine/reading_core.h"

#include <algorithm>
#include <utility>

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

void ReadingCore::applySpeed(int speedIndex) {
    if (speedIndex >= 0 && speedIndex < kSpeedRows) applyWordsPerMinute(speedOfRow(speedIndex));
}

void ReadingCore::applyWordsPerMinute(int wordsPerMinute) {
    const int speed = std::clamp(wordsPerMinute, kSlowest, kFastest);
    if (speed != speed_) fit_.reset();  // fitted to the speed before
    speed_ = speed;
    j_ = baseIntervalAt(speed_);
}

void ReadingCore::setRules(const ReadingRules& rules) {
    if (rules != rules_) fit_.reset();  // fitted to the rules before
    rules_ = rules;
}

void ReadingCore::resetScript(std::int32_t startEntry) {
    sarr_.reset();
    sh_ = startEntry;
    startEntry_ = startEntry;
    pendingStart_ = -1;
    warmedUp_ = 0;
    fit_.reset();
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

void ReadingCore::stepBack(int speedIndex) { stepBackBy(stepBackDistance(speedIndex)); }

void ReadingCore::stepBackBy(std::int32_t distance) {
    const std::int32_t moved = sh_ - distance;
    sh_ = moved < 1 ? 0 : moved;
}

Statistics ReadingCore::statisticsTick() {
    Statistics s = statisticsAfterTick(j2_, sh_, k1_, startEntry_);
    j2_ = s.j2;
    return s;
}

}  // namespace orvell
