#include "session/reading_session.h"

#include "places/places_file.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace orvell {

namespace {

bool endsLine(char16_t c) { return c == u'\n' || c == u'\r' || c == u'\u2029'; }

}  // namespace

ReadingSession::ReadingSession(LearningLookup lookup, RootsKnown rootsKnown)
    : core_([this, lookup = std::move(lookup)](const DisplayEntry& e) {
          const int factor = lookup(e);
          ++looked_;
          if (factor == 2) ++learnedNew_;
          return factor;
      }),
      places_(std::make_unique<PlacesFile>(std::filesystem::path())),
      rootsKnown_(std::move(rootsKnown)),
      history_(std::make_unique<ReadingHistory>(std::filesystem::path())),
      sittings_(std::make_unique<SittingLog>(*history_)) {}

ReadingSession::~ReadingSession() = default;

void ReadingSession::begin(int speedIndex) {
    looked_ = learnedNew_ = 0;
    sittings_->startReading();
    core_.resetScript(startEntry(speedIndex));
    std::vector<std::int32_t> starts;
    chapterTitles_.clear();
    for (const books::Chapter& chapter : heldChapters_) {
        starts.push_back(chapter.position);
        chapterTitles_.push_back(chapter.title);
    }
    core_.setChapters(std::move(starts));
}

double ReadingSession::newRootShare() const {
    return looked_ == 0 ? 0.0 : static_cast<double>(learnedNew_) / static_cast<double>(looked_);
}

PacingTick ReadingSession::tick(bool learning) {
    core_.fitSpeed(learning ? newRootShare() : 0.0);
    PacingTick t = core_.tick(learning);
    if (t.shown) sittings_->shown(t.entry, t.words);
    if (t.ends) bookFinished();
    return t;
}

std::optional<TimeLeft> ReadingSession::timeLeft(bool learning) const {
    if (core_.k1() <= 0 || core_.cutting()) return std::nullopt;
    const auto plain = [](const DisplayEntry&) { return 1; };
    const std::int32_t from = core_.sh();
    // New roots take longer: their share so far in this reading stands for the rest.
    const double factor =
        learning ? 1.0 + newRootShare() * (core_.rules().pauses.newRootPercent - 100) / 100.0 : 1.0;
    const auto estimate = [&](std::int32_t to) {
        return static_cast<std::uint64_t>(static_cast<double>(core_.displayMs(from, to, plain)) *
                                          factor);
    };
    return TimeLeft{estimate(core_.chapterEnd(from)), estimate(core_.k1())};
}

std::optional<ChapterAt> ReadingSession::chapterAt(std::int32_t entry) const {
    if (chapterTitles_.empty()) return std::nullopt;
    const int chapter = core_.chapterOf(std::max(entry, 0));
    if (chapter < 0) return ChapterAt{};
    return ChapterAt{chapter, chapterTitles_[static_cast<std::size_t>(chapter)]};
}

std::optional<TextSpan> ReadingSession::wordToMark(bool shown, std::int32_t textSize) const {
    std::int32_t entry = shown ? core_.sh() - 1 : core_.sh();
    const int step = shown ? -1 : 1;
    while (core_.sarr().isPauseAt(entry)) entry += step;
    const std::optional<DisplayEntry> word = core_.sarr().at(entry);
    if (!word) return std::nullopt;
    const std::u16string text = word->left + word->focus + word->right;
    const auto length = static_cast<std::int32_t>(
        std::ranges::find_if_not(text.rbegin(), text.rend(), endsLine).base() - text.begin());
    const std::int32_t start = std::min(core_.sarr().position(entry), textSize);
    return TextSpan{start, std::min(start + length, textSize)};
}

}  // namespace orvell
