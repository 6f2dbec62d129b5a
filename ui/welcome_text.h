#pragma once

#include <QString>

namespace orvell {

// The text box's first content: eleven lines joined by CR LF, every second one empty.
QString welcomeText();

// The contact address shown in the display strip until the first reading (15 characters,
// split 5, 1 and 9 over the three labels) and the program's web page.
inline const QString kContactAddress = QStringLiteral("box@example.org");
inline const QString kWebPage = QStringLiteral("https://www.example.org/orvell/");

}  // namespace orvell
