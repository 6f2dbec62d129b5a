// Opening a book file: from the file dialog (Ctrl+O and the strip's menu, which
// look_settings.cpp makes with the window's other commands), a drop on the window or the
// command line. The book's text replaces the text box's as an edit would; of a ZIP with several FB2
// books, the reader picks one.

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <vector>

#include "books/book_text.h"
#include "ui/Unit1.h"
#include "ui/platform/choice_dialog.h"
#include "ui/platform/file_dialog.h"
#include "ui/platform/file_drop.h"
#include "ui/platform/message_box.h"
#include "ui/platform/timer.h"

namespace orvell {

using namespace Qt::StringLiterals;

namespace {

const QString kBookFilter = u"Книги и тексты (*.txt *.fb2 *.fb2.zip *.epub)"_s;

// The book in the file; from a ZIP of several FB2 books, the one the reader picks, or nothing
// when the pick is cancelled.
std::optional<books::BookText> chosenBook(QWidget* parent, const std::filesystem::path& file) {
    return books::openChosenBook(
        file,
        [parent](const std::vector<books::ArchivedBook>& inside) -> std::optional<std::size_t> {
            QStringList titles;
            for (const books::ArchivedBook& book : inside) {
                titles << QString::fromStdU16String(book.title);
            }
            const std::optional<int> pick = platform::askToChoose(
                parent, u"Выбор книги"_s, u"В архиве несколько книг. Какую открыть?"_s, titles);
            if (!pick) return std::nullopt;
            return static_cast<std::size_t>(*pick);
        });
}

}  // namespace

void TForm1::connectBookOpening() {
    const auto open = [this](const QString& path) { openFile(path); };
    platform::onFileDrop(*this, open);
    // The text box takes drops of its own; a dropped file is opened all the same.
    platform::onFileDrop(*Memo1->viewport(), open);
}

void TForm1::pauseForOpening() {
    // As the pause command does; a reading should not run on unseen behind the dialog.
    if (Timer1->enabled()) SpeedButton2Click();
}

void TForm1::FileOpenCommand() {
    pauseForOpening();
    const QString path = platform::askFileToOpen(this, kBookFilter);
    if (!path.isEmpty()) openFile(path);
}

void TForm1::openFile(const QString& path) {
    pauseForOpening();
    const QString name = QFileInfo(path).fileName();
    const std::optional<books::BookText> chosen =
        chosenBook(this, std::filesystem::path(path.toStdU16String()));
    if (!chosen) return;  // the pick was cancelled: the text box keeps its text
    const books::BookText& book = *chosen;
    if (!book.ok()) {
        platform::showError(this, QString::fromStdU16String(
                                      books::failureMessage(name.toStdU16String(), book.reason)));
        return;
    }
    // Memo1's change enables the start and releases the hot keys, as an edit does.
    Memo1->setPlainText(QString::fromStdU16String(book.text));
    session_.holdBook(book.text, book.chapters, std::filesystem::path(path.toStdU16String()));
    updateStartHint();
    bookName_ = name;
    showTitle();
    // Told once the text is there, so that the box stands over the book it speaks of.
    if (!book.damage.empty()) {
        platform::showWarning(this, QString::fromStdU16String(
                                        books::damageMessage(name.toStdU16String(), book.damage)));
    }
}

}  // namespace orvell
