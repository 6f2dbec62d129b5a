#pragma once

#include <QString>

namespace orvell::platform {

// Opens a web address in the user's browser; a failure is ignored.
void openUrl(const QString& address);

}  // namespace orvell::platform
