#include "ui/platform/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace orvell::platform {

void substituteMissingFonts() {
    const struct {
        const QString& family;
        const char* substitute;
    } table[] = {
        {kCourierNew, "Liberation Mono"},  // metric-compatible
        {kLucidaConsole, "DejaVu Sans Mono"},
        {kTahoma, "DejaVu Sans"},
    };
    const QStringList installed = QFontDatabase::families();
    for (const auto& row : table) {
        if (!installed.contains(row.family, Qt::CaseInsensitive) &&
            QFont::substitutes(row.family).isEmpty())
            QFont::insertSubstitution(row.family, QString::fromLatin1(row.substitute));
    }
}

QFont fontOf(const QString& family, int pixels, bool bold) {
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

}  // namespace orvell::platform
