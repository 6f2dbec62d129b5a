// The history of the readings: each sitting, from a start or a resume to the next pause, end,
// edit or exit, is kept with what it showed; the books read are kept with their length, and
// when they were read to their end.

#include <string>
#include <utility>

#include "session/reading_session.h"

namespace orvell {

namespace {

std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

}  // namespace

HistoryOpening ReadingSession::keepHistoryIn(const std::filesystem::path& folder,
                                             SittingClocks clocks) {
    sittings_.reset();
    history_ = std::make_unique<ReadingHistory>(folder);
    HistoryOpening opening = history_->open();
    sittings_ = std::make_unique<SittingLog>(*history_, std::move(clocks));
    return opening;
}

void ReadingSession::beginSitting() {
    Sitting sitting;
    if (!readingBook_.empty()) sitting.book = readingBook_;
    sitting.title = utf8(readingFile_.filename());
    sitting.speed = core_.wordsPerMinute();
    sitting.rootsTotal = rootsKnown_();
    sittings_->begin(std::move(sitting));
}

void ReadingSession::keepSitting() { sittings_->keep(core_.wordsPerMinute(), rootsKnown_()); }

void ReadingSession::endSitting() { sittings_->end(core_.wordsPerMinute(), rootsKnown_()); }

void ReadingSession::rememberBookInHistory() {
    // A book's length is counted in entries, as the sittings' entries are.
    history_->rememberBook(readingBook_, utf8(readingFile_.filename()), utf8(readingFile_),
                           core_.k1());
}

void ReadingSession::bookFinished() {
    if (readingBook_.empty() || core_.cutting() || core_.k1() <= 0) return;
    history_->markFinished(readingBook_,
                           std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()));
}

}  // namespace orvell
