#include "session/sitting_log.h"

#include <algorithm>
#include <utility>

namespace orvell {

using std::chrono::duration_cast;
using std::chrono::milliseconds;

SittingClocks SittingClocks::system() {
    return {[] { return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()); },
            [] { return std::chrono::steady_clock::now(); }};
}

SittingLog::SittingLog(ReadingHistory& history, SittingClocks clocks)
    : history_(&history), clocks_(std::move(clocks)) {}

void SittingLog::begin(Sitting sitting) {
    if (sitting_) end(sitting_->speed, sitting_->rootsTotal);
    sitting.startedAt = sitting.endedAt = clocks_.wall();
    sitting.firstEntry = sitting.lastEntry = 0;
    sitting.words = sitting.activeMs = sitting.newRoots = 0;
    began_ = clocks_.steady();
    rootsAtBegin_ = sitting.rootsTotal;
    anyShown_ = false;
    token_ = history_->beginSitting(sitting);
    sitting_ = std::move(sitting);
}

void SittingLog::shown(std::int32_t entry, int words) {
    if (!sitting_) return;
    // Where the sitting began is known once it shows something: a start may wait for the
    // cutting to reach its place.
    if (!anyShown_) sitting_->firstEntry = entry;
    anyShown_ = true;
    sitting_->lastEntry = entry + std::max(words, 1) - 1;
    sitting_->words += words;
}

Sitting SittingLog::current(const Sitting& open, std::int64_t speed,
                            std::int64_t rootsTotal) const {
    Sitting now = open;
    now.endedAt = std::max(clocks_.wall(), now.startedAt);
    now.activeMs = duration_cast<milliseconds>(clocks_.steady() - began_).count();
    now.speed = speed;
    now.rootsTotal = rootsTotal;
    // A vocabulary that shrank (its file replaced meanwhile) learnt nothing in this sitting.
    now.newRoots = std::max<std::int64_t>(rootsTotal - rootsAtBegin_, 0);
    return now;
}

void SittingLog::keep(std::int64_t speed, std::int64_t rootsTotal) {
    if (sitting_) history_->updateSitting(token_, current(*sitting_, speed, rootsTotal));
}

void SittingLog::end(std::int64_t speed, std::int64_t rootsTotal) {
    if (!sitting_) return;
    const Sitting ended = current(*sitting_, speed, rootsTotal);
    history_->endSitting(token_, ended);
    tally_.words += ended.words;
    tally_.activeMs += ended.activeMs;
    sitting_.reset();
}

ReadingTally SittingLog::tally() const {
    if (!sitting_) return tally_;
    const Sitting now = current(*sitting_, sitting_->speed, sitting_->rootsTotal);
    return {tally_.words + now.words, tally_.activeMs + now.activeMs};
}

}  // namespace orvell
