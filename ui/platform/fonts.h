#pragma once

#include <QFont>
#include <QString>

namespace orvell::platform {

inline const QString kTahoma = QStringLiteral("Tahoma");
inline const QString kLucidaConsole = QStringLiteral("Lucida Console");
inline const QString kCourierNew = QStringLiteral("Courier New");

// Where the window's fonts are not installed, stands in free look-alikes for them. Safe to
// call more than once.
void substituteMissingFonts();

// A font of the given family whose character height (the em, without internal leading) is
// `pixels` pixels.
QFont fontOf(const QString& family, int pixels, bool bold = false);

}  // namespace orvell::platform
