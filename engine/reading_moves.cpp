// Moving a reading by sentence, paragraph and chapter, and the time its entries take.

#include <algorithm>
#include <iterator>

#include "engine/reading_core.h"

namespace orvell {

namespace {

// "About one second" into a unit: back then goes to its start, not to the unit before.
constexpr std::uint64_t kBackToStartMs = 1000;

int noLearning(const DisplayEntry& /*entry*/) { return 1; }

}  // namespace

std::int32_t ReadingCore::entries() const { return cutting_ ? sarr_.size() : k1_; }

std::vector<std::int32_t> ReadingCore::chapterStarts() const {
    std::vector<std::int32_t> starts;
    starts.reserve(chapters_.size());
    for (const std::int32_t position : chapters_) {
        const std::int32_t entry = entryAt(position);
        if (starts.empty() || entry > starts.back()) starts.push_back(entry);
    }
    if (starts.empty() || starts.front() != 0) starts.insert(starts.begin(), 0);
    return starts;
}

std::int32_t ReadingCore::entryAt(std::int32_t position) const {
    return sarr_.entryAt(position, entries());
}

int ReadingCore::chapterOf(std::int32_t entry) const {
    // Entries follow the text, so the marks are in the order of their entries too; the title
    // asks at every tick.
    const auto after = std::ranges::upper_bound(
        chapters_, entry, {}, [this](std::int32_t position) { return entryAt(position); });
    return static_cast<int>(std::distance(chapters_.begin(), after)) - 1;
}

std::int32_t ReadingCore::chapterEnd(std::int32_t entry) const {
    const std::vector<std::int32_t> starts = chapterStarts();
    const auto next = std::ranges::upper_bound(starts, entry);
    return next == starts.end() ? entries() : *next;
}

std::uint64_t ReadingCore::displayMs(
    std::int32_t from, std::int32_t to,
    const std::function<int(const DisplayEntry&)>& factorOf) const {
    std::uint64_t ms = 0;
    for (std::int32_t i = std::max(from, 0); i < to; ++i) {
        const std::optional<DisplayEntry> e = sarr_.at(i);
        if (!e) break;
        ms += entryTime(i, *e, factorOf(*e)).interval;
    }
    return ms;
}

bool ReadingCore::move(Unit unit, bool forward) {
    // The script's own marks are looked at where they are, never copied.
    const std::vector<std::int32_t> chapters =
        unit == Unit::Chapter ? chapterStarts() : std::vector<std::int32_t>();
    const std::vector<std::int32_t>& starts = unit == Unit::Sentence    ? sarr_.sentenceStarts()
                                              : unit == Unit::Paragraph ? sarr_.paragraphStarts()
                                                                        : chapters;
    if (starts.empty()) return false;
    if (forward) {
        const auto next = std::ranges::upper_bound(starts, sh_);
        if (next == starts.end() || *next >= entries()) return false;
        moveTo(*next);
        return true;
    }
    auto current = std::ranges::upper_bound(starts, sh_);
    if (current == starts.begin()) return false;
    --current;
    // Only the time up to the threshold matters, so a long unit is not summed whole.
    std::uint64_t shown = 0;
    for (std::int32_t i = *current; i < sh_ && shown <= kBackToStartMs; ++i) {
        shown += displayMs(i, i + 1, noLearning);
    }
    if (shown <= kBackToStartMs && current != starts.begin()) --current;
    if (*current == sh_) return false;
    moveTo(*current);
    return true;
}

void ReadingCore::moveTo(std::int32_t entry) {
    const std::int32_t target = std::clamp(entry, 0, std::max(entries() - 1, 0));
    if (target > sh_) startEntry_ += target - sh_;
    sh_ = target;
    warmedUp_ = 0;
}

}  // namespace orvell
