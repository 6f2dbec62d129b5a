#pragma once

#include <QIcon>

namespace orvell {

// The program's icon: a strip with a red focus letter between the two column marks. The same
// picture is installed beside the program for desktop menus.
QIcon programIcon();

}  // namespace orvell
