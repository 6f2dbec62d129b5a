#pragma once

#include <QString>
#include <QXmlStreamEntityResolver>

namespace orvell::books {

// The named character entities of XHTML that books use, such as &nbsp; and &mdash;; XML
// itself knows only five. An unknown name stays in the text as written.
// The character an XHTML entity name stands for, or QChar() when the name is not one of them.
QChar htmlEntityCharacter(const QString& name);

class HtmlEntities : public QXmlStreamEntityResolver {
  public:
    QString resolveUndeclaredEntity(const QString& name) override;
};

}  // namespace orvell::books
