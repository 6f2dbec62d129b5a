#include "ui/platform/fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>
#include <array>

namespace orvell::platform {

namespace {

bool isInstalled(const QString& family) {
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

}  // namespace

void substituteMissingFonts() {
#ifndef Q_OS_WIN
    // A free Tahoma with Tahoma's widths, Cyrillic included, that comes with the Windows
    // compatibility fonts (Debian's fonts-wine); the system's font list does not hold it.
    // Windows has Tahoma itself.
    constexpr std::array kTahomaFiles = {
        "/usr/share/wine/fonts/tahoma.ttf",
        "/usr/share/wine/fonts/tahomabd.ttf",
    };
    if (!isInstalled(kTahoma)) {
        for (const char* file : kTahomaFiles) {
            if (QFile::exists(QString::fromLatin1(file)))
                QFontDatabase::addApplicationFont(QString::fromLatin1(file));
        }
    }
#endif
    struct Substitution {
        const QString& family;
        const char* substitute;
    };
    const std::array<Substitution, 3> table = {{
        {kCourierNew, "Liberation Mono"},  // metric-compatible
        {kLucidaConsole, "DejaVu Sans Mono"},
        {kTahoma, "Liberation Sans"},  // at the window's size no wider than Tahoma
    }};
    for (const auto& row : table) {
        if (!isInstalled(row.family) && QFont::substitutes(row.family).isEmpty())
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
