#include "books/text_lines.h"

namespace orvell::books {

namespace {

bool isXmlSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

}  // namespace

void TextLines::addText(QStringView text) {
    for (const QChar c : text) {
        if (isXmlSpace(c)) {
            blankPending_ = lineOpen_;
            continue;
        }
        if (blankPending_) text_ += u' ';
        text_ += c;
        lineOpen_ = true;
        blankPending_ = false;
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
