#pragma once
// The program's own icon: a trend line on a meter's dark face. Drawn in code at
// every size it is used: the windows' icon and the desktop's (the hicolor
// images of the installed package are drawn by this at build time).

#include <QImage>

namespace quellin {

// The icon as a size × size image with a transparent background.
QImage appIconImage(int size);

} // namespace quellin
