#include "window_icon.h"

namespace orvell {

QIcon windowIcon() { return QIcon(QStringLiteral(":/orvell/orvell.png")); }

}  // namespace orvell
