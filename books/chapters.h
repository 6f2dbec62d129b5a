#pragma once

#include <QString>
#include <vector>

#include "books/book_text.h"

namespace orvell::books {

// Where a chapter starts in the text being built, as a reader of marked-up books finds it.
struct ChapterMark {
    qsizetype position = 0;
    QString title;
};

// The line of `text` that starts at `position`, cut to the length of a title.
QString openingLine(QStringView text, qsizetype position);

// The chapters of a text of `textSize` from marks in any order: ascending, one per position
// (the first mark's), none where no text follows; each title one line of single blanks, and
// "Глава N" for an empty one.
std::vector<Chapter> chaptersOf(const std::vector<ChapterMark>& marks, qsizetype textSize);

}  // namespace orvell::books
