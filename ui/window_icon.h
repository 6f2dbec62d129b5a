#pragma once

#include <QIcon>

namespace orvell {

// The window's icon, 57 by 57: a reading strip with a red focus letter between two marks.
QIcon drawWindowIcon();

}  // namespace orvell
