// The places of books in a reading: a book held in the text box is known by its text; the
// place its reading reached is remembered as the reading goes, and the next start of the book
// resumes a step back before it. A text typed or pasted is no book and starts from its first
// entry.

#include <algorithm>
#include <memory>
#include <utility>

#include "books/book_identity.h"
#include "places/places_file.h"
#include "session/reading_session.h"

namespace orvell {

void ReadingSession::keepPlacesIn(const std::filesystem::path& folder) {
    places_ = std::make_unique<PlacesFile>(folder);
}

void ReadingSession::waitForSaves() {
    places_->waitForSaves();
    history_->waitForWrites();
}

void ReadingSession::holdBook(std::u16string_view text, std::vector<books::Chapter> chapters,
                              const std::filesystem::path& file) {
    heldBook_ = books::bookIdentity(text);
    heldFile_ = file;
    heldChapters_ = std::move(chapters);
    // The reading still in the script was paused by the opening, which remembered its place;
    // from now on it is no longer the reading of a book, whatever else it shows.
    readingBook_.clear();
}

void ReadingSession::dropBook() {
    heldBook_.clear();
    heldFile_.clear();
    heldChapters_.clear();
}

std::int32_t ReadingSession::startEntry(int speedIndex) {
    readingBook_ = heldBook_;
    readingFile_ = heldFile_;
    resumedEntries_ = 0;
    const ReadingPlace* place = resumablePlace();
    if (place == nullptr) return 0;
    resumedEntries_ = place->entries;
    return resumeEntry(place->position, speedIndex);
}

void ReadingSession::cutFinished(bool running) {
    if (readingBook_.empty()) return;
    rememberBookInHistory();
    // Cut into another number of entries than when the place was remembered (the cutting has
    // changed since): the place may point anywhere, so it is not used again.
    if (resumedEntries_ != 0 && resumedEntries_ != core_.k1()) places_->forget(readingBook_);
    resumedEntries_ = 0;
    // A pause during the cutting could not say yet how many entries the place counts in.
    if (!running) rememberPlace(core_.sh());
}

void ReadingSession::rememberPlace(std::int32_t position) {
    // Only a place in a script whose length is known can be checked against it later.
    if (readingBook_.empty() || core_.cutting() || core_.k1() <= 0) return;
    places_->remember(readingBook_, core_.k1(), std::min(position, core_.k1() - 1));
}

void ReadingSession::startOver() {
    const ReadingPlace* place = resumablePlace();
    if (place == nullptr) return;
    places_->remember(heldBook_, place->entries, 0);
    // A reading of the book still in the script must not put its place back at exit.
    if (readingBook_ == heldBook_) readingBook_.clear();
}

std::optional<ResumeHint> ReadingSession::resumeHint() const {
    const ReadingPlace* place = resumablePlace();
    if (place == nullptr) return std::nullopt;
    return ResumeHint{place->position, place->entries - 1};
}

const ReadingPlace* ReadingSession::resumablePlace() const {
    const ReadingPlace* place = heldBook_.empty() ? nullptr : places_->find(heldBook_);
    return place == nullptr || place->position == 0 ? nullptr : place;
}

}  // namespace orvell
