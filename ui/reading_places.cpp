// Resuming a book where the reader left it. A book opened from a file is known by its text;
// the place its reading reached is remembered when the reading pauses, steps back, ends or the
// program exits, and the next start of the book resumes a step back before it. Text typed or
// pasted into the text box is no book and always starts from its first entry.

#include <QComboBox>
#include <QKeySequence>
#include <QLocale>
#include <QShortcut>
#include <algorithm>

#include "books/book_identity.h"
#include "places/places_file.h"
#include "ui/Unit1.h"
#include "ui/platform/data_folder.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

namespace orvell {

using namespace Qt::StringLiterals;

namespace {

// Not one of the text box's own keys (Ctrl+Home and Ctrl+Shift+Home move and select there);
// matched by its key, so it works with a Cyrillic layout too.
const QKeySequence kStartOverKey(Qt::CTRL | Qt::Key_R);
const QString kReadFromHereHint = u"Правой кнопкой по слову текста — «Читать отсюда»"_s;

QString russianNumber(std::int32_t n) { return QLocale(QLocale::Russian).toString(n); }

}  // namespace

void TForm1::setUpReadingPlaces() {
    places_ = std::make_unique<PlacesFile>(platform::dataFolder());
    auto* startOver = new QShortcut(kStartOverKey, this);
    startOver->setContext(Qt::WindowShortcut);
    connect(startOver, &QShortcut::activated, this, &TForm1::StartOverCommand);
    updateStartHint();
}

void TForm1::identifyBook(std::u16string_view text) {
    memoBook_ = books::bookIdentity(text);
    // The reading still in the script was paused by the opening, which remembered its place;
    // from now on it is no longer the reading of a book, whatever else it shows.
    readingBook_.clear();
    updateStartHint();
}

void TForm1::forgetTextBoxBook() {
    memoChapters_.clear();
    if (memoBook_.empty()) return;
    memoBook_.clear();
    updateStartHint();
}

std::int32_t TForm1::startEntryOfBook() {
    readingBook_ = memoBook_;
    resumedEntries_ = 0;
    const ReadingPlace* place = memoBook_.empty() ? nullptr : places_->find(memoBook_);
    if (place == nullptr || place->position == 0) return 0;
    resumedEntries_ = place->entries;
    return resumeEntry(place->position, ComboBox1->currentIndex());
}

void TForm1::bookCutFinished() {
    if (readingBook_.empty()) return;
    // Cut into another number of entries than when the place was remembered (the cutting has
    // changed since): the place may point anywhere, so it is not used again.
    if (resumedEntries_ != 0 && resumedEntries_ != session_.core().k1()) places_->forget(readingBook_);
    resumedEntries_ = 0;
    // A pause during the cutting could not say yet how many entries the place counts in.
    if (!Timer1->enabled()) rememberPlace(session_.core().sh());
    updateStartHint();
}

void TForm1::rememberPlace(std::int32_t position) {
    // Only a place in a script whose length is known can be checked against it later.
    if (readingBook_.empty() || session_.core().cutting() || session_.core().k1() <= 0) return;
    places_->remember(readingBook_, session_.core().k1(), std::min(position, session_.core().k1() - 1));
    updateStartHint();
}

void TForm1::StartOverCommand() {
    if (!SpeedButton1->isEnabled() || Timer1->enabled() || memoBook_.empty()) return;
    const ReadingPlace* place = places_->find(memoBook_);
    if (place == nullptr || place->position == 0) return;
    places_->remember(memoBook_, place->entries, 0);
    // A reading of the book still in the script must not put its place back at exit.
    if (readingBook_ == memoBook_) readingBook_.clear();
    updateStartHint();
}

void TForm1::updateStartHint() {
    const ReadingPlace* place = memoBook_.empty() ? nullptr : places_->find(memoBook_);
    if (place == nullptr || place->position == 0) {
        SpeedButton1->setToolTip(kReadFromHereHint);
        return;
    }
    SpeedButton1->setToolTip(
        u"Продолжить с места, где остановились (%1 из %2). %3 — с начала\n"_s.arg(
            russianNumber(place->position), russianNumber(place->entries - 1),
            kStartOverKey.toString(QKeySequence::NativeText)) +
        kReadFromHereHint);
}

}  // namespace orvell
