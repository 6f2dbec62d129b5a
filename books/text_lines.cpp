#include "books/text_lines.h"

namespace orvell::books {

namespace {

bool isXmlSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

}  // namespace

void TextLines::addText(QStringView text) {
    // Copied a run of words with single blanks at a time: books are megabytes of them.
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        if (isXmlSpace(text[i])) {
            blankPending_ = lineOpen_;
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < size) {
            if (!isXmlSpace(text[end])) {
                ++end;
            } else if (text[end] == u' ' && end + 1 < size && !isXmlSpace(text[end + 1])) {
                end += 2;
            } else {
                break;
            }
        }
        if (!lineOpen_) openedAt_ = text_.size();
        if (blankPending_) text_ += u' ';
        text_ += text.sliced(i, end - i);
        lineOpen_ = true;
        blankPending_ = false;
        i = end;
    }
}

void TextLines::endLine() {
    if (lineOpen_) text_ += u'\n';
    lineOpen_ = false;
    blankPending_ = false;
}

void TextLines::addEmptyLine() {
    endLine();
    text_ += u'\n';
}

}  // namespace orvell::books
