#pragma once

#include <QString>

namespace orvell::books {

// Builds the text of a marked-up book one block per line. Runs of XML white space inside a
// block become one blank, and a line neither begins nor ends with one, so the indentation of
// the file never turns into words or pauses. Nor does it hold a CR, so offsets into it are those
// of the book's text once its line breaks are made LF.
class TextLines {
  public:
    void addText(QStringView text);
    // Ends the block being written, if any: the next text starts a new line.
    void endLine();
    // Ends the block and leaves one empty line, as a blank line between paragraphs.
    void addEmptyLine();
    // Where the line being written starts, or where the next one will when none is.
    qsizetype lineStart() const { return lineOpen_ ? openedAt_ : text_.size(); }
    QString take() { return std::move(text_); }

  private:
    QString text_;
    qsizetype openedAt_ = 0;
    bool lineOpen_ = false;
    bool blankPending_ = false;
};

}  // namespace orvell::books
