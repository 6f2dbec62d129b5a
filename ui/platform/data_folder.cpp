#include "ui/platform/data_folder.h"

#include <QStandardPaths>
#include <QString>

namespace orvell::platform {

std::filesystem::path dataFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return {folder.toStdU16String()};
}

}  // namespace orvell::platform
