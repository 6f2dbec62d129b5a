#pragma once

#include <QString>

namespace orvell::books {

// Builds the text of a marked-up book one block per line. Runs of XML white space inside a
// block become one blank, and a line neither begins nor ends with one, so the indentation of
// the file never turns into words or pauses.
class TextLines {
  public:
    void addText(QStringView text);
    // Ends the block being written, if any: the next text starts a new line.
    void endLine();
    // Ends the block and leaves one empty line, as a blank line between paragraphs.
    void addEmptyLine();
    QString take() { return std::move(text_); }

  private:
    QString text_;
    bool lineOpen_ = false;
    bool blankPending_ = false;
};

}  // namespace orvell::books
