#include "ui/window_icon.h"

namespace orvell {

QIcon programIcon() { return QIcon(QStringLiteral(":/orvell/orvell.png")); }

}  // namespace orvell
