#include "ui/platform/shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace orvell::platform {

void openUrl(const QString& address) { QDesktopServices::openUrl(QUrl(address)); }

}  // namespace orvell::platform
