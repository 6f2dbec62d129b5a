#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace orvell::platform {

// Lets files from a file manager be dropped on `target` (and on its children that take no
// drops of their own): `open` gets the first local file of each drop. Drops of anything else
// go to the target as before, so a text box still takes dropped text.
void onFileDrop(QWidget& target, std::function<void(const QString&)> open);

}  // namespace orvell::platform
