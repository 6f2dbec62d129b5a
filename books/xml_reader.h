#pragma once

#include <QString>
#include <QXmlStreamReader>
#include <string_view>

#include "books/html_entities.h"

namespace orvell::books {

// QXmlStreamReader over a book's XML file, made safe for hostile input: every problem becomes
// a BookFailure with a Russian reason, and markup that is not well-formed a BrokenMarkup. It
// reads the encoding as markupCharacters does (windows-1251 is common in FB2), resolves the
// named entities of XHTML, refuses entity declarations of the document's own (the way to an
// exponential expansion) and bounds the nesting of elements.
class XmlReader {
  public:
    XmlReader(std::string_view bytes, int maxDepth);

    // The next token; never Invalid, since errors throw.
    QXmlStreamReader::TokenType next();
    // Skips the rest of the element whose start was the last token.
    void skipElement();
    // The text within the element whose start was the last token, which it consumes.
    QString elementText();

    QStringView name() const { return reader_.name(); }
    QStringView text() const { return reader_.text(); }
    QStringView attribute(const char* name) const {
        return reader_.attributes().value(QLatin1StringView(name));
    }
    // The first attribute of that name whatever its namespace, as epub:type.
    QStringView localAttribute(QStringView name) const;
    int depth() const { return depth_; }

  private:
    QString decoded_;  // the text, when ICU decoded the bytes
    HtmlEntities entities_;
    QXmlStreamReader reader_;
    int depth_ = 0;
    int maxDepth_;
};

}  // namespace orvell::books
