#include "books/chapters.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <utility>

#include "books/book_failure.h"
#include "books/text_lines.h"

namespace orvell::books {

namespace {

constexpr qsizetype kTitleLength = 60;

// As a line of a marked-up text: runs of white space one blank, none at either end.
QString oneLine(QStringView title) {
    TextLines lines;
    lines.addText(title);
    return lines.take();
}

}  // namespace

QString openingLine(QStringView text, qsizetype position) {
    QStringView line = text.sliced(position);
    line = line.left(line.indexOf(u'\n'));
    if (line.size() <= kTitleLength) return line.toString();
    // A surrogate pair is one character: it is kept whole or left out.
    const qsizetype cut =
        line[kTitleLength - 1].isHighSurrogate() ? kTitleLength - 1 : kTitleLength;
    return line.first(cut).toString();
}

std::vector<Chapter> chaptersOf(const std::vector<ChapterMark>& marks, qsizetype textSize) {
    std::map<qsizetype, QString> titles;  // by position: the first mark's
    for (const ChapterMark& mark : marks) titles.try_emplace(mark.position, mark.title);
    const qsizetype end = std::min<qsizetype>(textSize, std::numeric_limits<std::int32_t>::max());
    std::vector<Chapter> chapters;
    for (const auto& [position, markTitle] : titles) {
        if (position >= end) break;
        std::u16string title = oneLine(markTitle).toStdU16String();
        if (title.empty()) title = u"Глава " + decimal(chapters.size() + 1);
        chapters.push_back({static_cast<std::int32_t>(position), std::move(title)});
    }
    return chapters;
}

}  // namespace orvell::books
