// Finding the way in a reading: the arrow and page keys move it by sentence, paragraph and
// chapter; a pause marks its word in the text box; "Читать отсюда" starts or moves it to the
// word under the mouse; the title names the chapter; the progress bar tells the time left.

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "books/book_text.h"
#include "ui/Unit1.h"
#include "ui/platform/hot_keys.h"
#include "ui/platform/mouse_events.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

namespace orvell {

using namespace Qt::StringLiterals;

namespace {

const QString kReadFromHere = u"Читать отсюда"_s;

struct MoveKey {
    int id;
    Unit unit;
    bool forward;
};

constexpr std::array kMoveKeys = {
    MoveKey{platform::HotKeys::kLeft, Unit::Sentence, false},
    MoveKey{platform::HotKeys::kRight, Unit::Sentence, true},
    MoveKey{platform::HotKeys::kUp, Unit::Paragraph, false},
    MoveKey{platform::HotKeys::kDown, Unit::Paragraph, true},
    MoveKey{platform::HotKeys::kPageUp, Unit::Chapter, false},
    MoveKey{platform::HotKeys::kPageDown, Unit::Chapter, true},
};

// "4 мин", "3 ч 12 мин"; under half a minute, "меньше минуты".
QString duration(std::uint64_t ms) {
    const std::uint64_t minutes = (ms + 30'000) / 60'000;
    if (minutes == 0) return u"меньше минуты"_s;
    if (minutes < 60) return u"%1 мин"_s.arg(minutes);
    return u"%1 ч %2 мин"_s.arg(minutes / 60).arg(minutes % 60);
}

}  // namespace

void TForm1::connectMoving() {
    Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Memo1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const int position = Memo1->cursorForPosition(at).position();
        std::unique_ptr<QMenu> menu(Memo1->createStandardContextMenu(at));
        menu->addSeparator();
        QAction* readFromHere = menu->addAction(kReadFromHere);
        readFromHere->setObjectName(u"readFromHere"_s);
        connect(readFromHere, &QAction::triggered, this,
                [this, position] { ReadFromHereCommand(position); });
        menu->exec(Memo1->viewport()->mapToGlobal(at));
    });
    platform::onToolTip(*ProgressBar1, [this] { return timeLeftHint(); });
}

void TForm1::takeMoveKeys() {
    for (const MoveKey& key : kMoveKeys) hotKeys->registerHotKey(key.id);
}

void TForm1::releaseMoveKeys() {
    for (const MoveKey& key : kMoveKeys) hotKeys->unregisterHotKey(key.id);
}

void TForm1::moveKeyPressed(int id) {
    const auto* key = std::ranges::find(kMoveKeys, id, &MoveKey::id);
    // Only a reading that runs or is paused moves; after its end the keys rest.
    if (key == kMoveKeys.end() || !SpeedButton2->isEnabled()) return;
    if (!session_.core().move(key->unit, key->forward)) return;
    rememberPlace(session_.core().sh());
    showChapterInTitle(session_.core().sh());
    if (!Timer1->enabled()) markReadingPlace(false);
}

void TForm1::markReadingPlace(bool shown) {
    const QTextDocument* document = Memo1->document();
    const std::optional<TextSpan> word =
        session_.wordToMark(shown, static_cast<std::int32_t>(document->characterCount() - 1));
    if (!word) return clearReadingMark();
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(Memo1->document());
    mark.cursor.setPosition(word->start);
    mark.cursor.setPosition(word->end, QTextCursor::KeepAnchor);
    mark.format.setBackground(Memo1->palette().color(QPalette::Highlight));
    mark.format.setForeground(Memo1->palette().color(QPalette::HighlightedText));
    Memo1->setExtraSelections({mark});
    // Scrolled to the mark's line without moving the cursor or the selection, so that a paste
    // still replaces what it replaced.
    const QTextBlock block = Memo1->document()->findBlock(mark.cursor.position());
    const int line =
        block.firstLineNumber() +
        block.layout()->lineForTextPosition(mark.cursor.position() - block.position()).lineNumber();
    QScrollBar* bar = Memo1->verticalScrollBar();
    bar->setValue(std::max(line - bar->pageStep() / 2, 0));
}

void TForm1::clearReadingMark() { Memo1->setExtraSelections({}); }

void TForm1::ReadFromHereCommand(int position) {
    if (readingHeld_ && SpeedButton2->isEnabled() && !Timer1->enabled()) {
        session_.core().moveTo(session_.core().entryAt(position));
        rememberPlace(session_.core().sh());
        SpeedButton2Click();  // resumes
        return;
    }
    if (Timer1->enabled()) return;
    startPosition_ = position;
    SpeedButton1Click();
}

void TForm1::showChapterInTitle(std::int32_t entry) {
    if (bookName_.isEmpty()) return;
    const std::optional<ChapterAt> chapter = session_.chapterAt(entry);
    if (!chapter || chapter->index == titleChapter_) return;
    titleChapter_ = chapter->index;
    showTitle(chapter->index >= 0 ? QStringView(chapter->title).toString() : QString());
}

void TForm1::showTitle(const QString& chapter) {
    QString title = u"Orvell"_s;
    if (!bookName_.isEmpty()) title += u" — "_s + bookName_;
    if (!chapter.isEmpty()) title += u" — "_s + chapter;
    setWindowTitle(title);
}

QString TForm1::timeLeftHint() const {
    const std::optional<TimeLeft> left = session_.timeLeft(CheckBox1->isChecked());
    if (!left) return {};
    return u"Осталось: глава — %1, книга — %2"_s.arg(duration(left->chapter), duration(left->book));
}

}  // namespace orvell
