// The pacing tick: which entry, or which few words, the tick shows and for how long, by the
// rules the reader set.

#include <algorithm>
#include <cmath>
#include <string_view>

#include "engine/reading_core.h"
#include "engine/rounding.h"

namespace orvell {

namespace {

// Entries a fit of the speed in words per minute sums: enough to hold every kind of word and
// pause, few enough to take well under a millisecond.
constexpr std::int32_t kFitEntries = 2000;
constexpr double kMsPerMinute = 60'000.0;

// A join stops after a word ending a clause, a sentence or a line.
bool endsJoin(std::u16string_view word) {
    return word.empty() ||
           std::u16string_view(u",:;.!?\u2026\n\r").find(word.back()) != std::u16string_view::npos;
}

std::u16string wordOf(const DisplayEntry& e) { return e.left + e.focus + e.right; }

DisplayTime operator+(DisplayTime a, DisplayTime b) {
    return {a.lengthInterval + b.lengthInterval, a.interval + b.interval};
}

}  // namespace

std::int32_t ReadingCore::pacedJ() const {
    return rules_.speed.wordsPerMinute && fit_ ? fit_->j : j_;
}

int ReadingCore::pauseShare(std::int32_t i) const {
    const bool second = sarr_.isPauseAt(i - 1);
    const std::optional<DisplayEntry> before = sarr_.at(second ? i - 2 : i - 1);
    const int pauses = before && isLineBreak(*before) ? rules_.pauses.lineBreakPauses
                                                      : rules_.pauses.sentencePauses;
    return second ? std::max(pauses - 1, 0) : std::min(pauses, 1);
}

DisplayTime ReadingCore::entryTime(std::int32_t i, const DisplayEntry& e, int factor) const {
    DisplayTime t = displayTime(rules_.pauses, pacedJ(), e, factor);
    if (!isPause(e)) return t;
    const auto share = static_cast<std::uint32_t>(pauseShare(i));
    return {t.lengthInterval * share, t.interval * share};
}

std::optional<DisplayEntry> ReadingCore::joinable(const std::u16string& flash,
                                                  std::int32_t last) const {
    if (endsJoin(flash)) return std::nullopt;
    std::optional<DisplayEntry> next = sarr_.at(last + 1);
    if (!next || isPause(*next) || isLineBreak(*next)) return std::nullopt;
    const std::size_t width = flash.size() + (flash.back() == u'-' ? 0 : 1) + wordOf(*next).size();
    if (width > static_cast<std::size_t>(rules_.flash.width)) return std::nullopt;
    return next;
}

DisplayTime ReadingCore::warmedUp(DisplayTime t, int words) {
    const SpeedRules& speed = rules_.speed;
    if (speed.warmUp && warmedUp_ < speed.warmUpWords) {
        // The share of the full speed grows in equal steps from the first word on.
        const std::int64_t percent =
            speed.warmUpFromPercent +
            std::int64_t{100 - speed.warmUpFromPercent} * warmedUp_ / speed.warmUpWords;
        const auto slower = [&](std::uint32_t ms) {
            return static_cast<std::uint32_t>(roundHalfEven(std::int64_t{ms} * 100, percent));
        };
        t = {slower(t.lengthInterval), slower(t.interval)};
    }
    warmedUp_ = std::min(warmedUp_ + words, speed.warmUpWords);
    return t;
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
    // Pauses the rules leave out are passed over, unless nothing follows them yet.
    while (sarr_.isPauseAt(sh_) && pauseShare(sh_) == 0 && sarr_.filled(sh_ + 1)) ++sh_;
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
    const auto timeOf = [&](std::int32_t i, const DisplayEntry& word) {
        const DisplayTime time = entryTime(i, word, learning ? lookup_(word) : 1);
        // A pause shown only because nothing follows it yet keeps one pause's time.
        return time.interval > 0 || !isPause(word) ? time
                                                   : displayTime(rules_.pauses, pacedJ(), word, 1);
    };
    DisplayTime time = timeOf(sh_, *e);
    std::int32_t last = sh_;
    if (rules_.flash.words > 1 && !isPause(*e) && !isLineBreak(*e)) {
        std::u16string flash = wordOf(*e);
        for (int words = 1; words < rules_.flash.words; ++words) {
            const std::optional<DisplayEntry> next = joinable(flash, last);
            if (!next) break;
            if (flash.back() != u'-') flash += u' ';
            flash += wordOf(*next);
            time = time + timeOf(++last, *next);
        }
        if (last > sh_) e = cutWord(flash);
    }
    time = warmedUp(time, last - sh_ + 1);
    t.entry = sh_;
    t.words = isPause(*e) || isLineBreak(*e) ? 0 : last - sh_ + 1;
    t.lengthInterval = time.lengthInterval;
    t.interval = time.interval;
    t.shown = std::move(e);
    // While the text is still being cut, the next entry may simply not be there yet.
    if (sarr_.filled(last + 1) || (cutting_ && last + 1 < ReadingScript::kMaxEntries)) {
        sh_ = last + 1;
    } else {
        sh_ = last;
        t.ends = true;
    }
    return t;
}

void ReadingCore::fitSpeed(double newRootShare) {
    if (!rules_.speed.wordsPerMinute || speed_ == 0) return;
    const std::int32_t available = entries();
    const bool holds = fit_ && sh_ >= fit_->from && sh_ < fit_->to &&
                       (fit_->to - fit_->from == kFitEntries || available == fit_->to);
    if (holds) return;
    const std::int32_t from = std::max(sh_, 0);
    const std::int32_t to = std::min(from + kFitEntries, available);
    // Summed at the table's base interval: display times grow with it in proportion.
    fit_.reset();
    const std::uint64_t plainMs =
        displayMs(from, to, [](const DisplayEntry& /*entry*/) { return 1; });
    if (plainMs == 0) return;
    const double newRootFactor = 1.0 + newRootShare * (rules_.pauses.newRootPercent - 100) / 100.0;
    const double wantedMs = (to - from) * kMsPerMinute / speed_;
    const double j = j_ * wantedMs / (static_cast<double>(plainMs) * newRootFactor);
    fit_ = SpeedFit{std::max(static_cast<std::int32_t>(std::lround(j)), 1), from, to};
}

}  // namespace orvell
