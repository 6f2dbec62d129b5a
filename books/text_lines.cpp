#include "books/text_lines.h"

namespace orvell::books {

namespace {

bool isXmlSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

}  // namespace

void TextLines::addText(QStringView text) {
    // Copied a run of non-space characters at a time: books are megabytes of it.
    qsizetype i = 0;
    while (i < text.size()) {
        if (isXmlSpace(text[i])) {
            blankPending_ = lineOpen_;
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && !isXmlSpace(text[end])) ++end;
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
