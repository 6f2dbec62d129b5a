// Resuming a book where the reader left it: the place is remembered when the reading pauses,
// steps back, ends or the program exits; Ctrl+R starts the book over, and the start button's
// tooltip tells where the next start begins. The rules are the reading session's.

#include <QKeySequence>
#include <QLocale>
#include <QShortcut>
#include <optional>

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
    session_.keepPlacesIn(platform::dataFolder());
    auto* startOver = new QShortcut(kStartOverKey, this);
    startOver->setContext(Qt::WindowShortcut);
    connect(startOver, &QShortcut::activated, this, &TForm1::StartOverCommand);
    updateStartHint();
}

void TForm1::rememberPlace(std::int32_t position) {
    session_.rememberPlace(position);
    updateStartHint();
}

void TForm1::StartOverCommand() {
    if (!SpeedButton1->isEnabled() || Timer1->enabled()) return;
    session_.startOver();
    updateStartHint();
}

void TForm1::updateStartHint() {
    const std::optional<ResumeHint> hint = session_.resumeHint();
    if (!hint) {
        SpeedButton1->setToolTip(kReadFromHereHint);
        return;
    }
    SpeedButton1->setToolTip(
        u"Продолжить с места, где остановились (%1 из %2). %3 — с начала\n"_s.arg(
            russianNumber(hint->position), russianNumber(hint->lastEntry),
            kStartOverKey.toString(QKeySequence::NativeText)) +
        kReadFromHereHint);
}

}  // namespace orvell
