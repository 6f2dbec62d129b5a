#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <array>
#include <cstdio>
#include <memory>

namespace orvell {

using namespace Qt::StringLiterals;

void translateQtIntoRussian() {
    auto translator = std::make_unique<QTranslator>();
    const std::array folders = {QCoreApplication::applicationDirPath() + u"/translations"_s,
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    for (const QString& folder : folders) {
        if (translator->load(u"qtbase_ru"_s, folder)) {
            // The application owns it from now on.
            translator->setParent(QCoreApplication::instance());
            QCoreApplication::installTranslator(translator.release());
            return;
        }
    }
    std::fprintf(stderr,
                 "Orvell: Qt's Russian translations (qtbase_ru.qm) are missing, so its "
                 "menus and dialogs speak English\n");
}

}  // namespace orvell
