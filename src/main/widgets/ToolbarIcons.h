#pragma once
// The toolbar's images, drawn in code so they stay crisp at any screen density.

#include "main/MainWindowItems.h"

#include <QIcon>
#include <QString>

namespace quellin {

QIcon toolIcon(ToolImage image);

// The program's own icon: a meter dial with a trend line.
QIcon appIcon();

} // namespace quellin
