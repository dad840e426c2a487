#pragma once
// Window sizes that depend on the meter's hardware version, in twips (1/1440
// inch) as the windows were designed, and the conversion to screen pixels.

#include <QSize>

namespace quellin {

// Twips → device-independent pixels at the screen's logical density (15 twips
// per pixel at 96 dpi).
int twipsToPixels(double twips, double logicalDpi = 96.0);
double pixelsToTwips(int pixels, double logicalDpi = 96.0);

bool isVersion2(int hardVersion); // 2 and every later number

struct DispLayout { // the measured-values panel
    int windowHeight, windowWidth;
    int frameLeft, frameTop, frameHeight, frameWidth;
    bool showVersion2Rows;
};
DispLayout dispLayout(int hardVersion);

struct SpreadLayout { // the data list
    int windowHeight, windowWidth;
};
SpreadLayout spreadLayout(int hardVersion);

struct LogSetLayout { // PC logging settings
    int windowHeight, windowWidth;
    int frameLeft, frameTop, frameHeight, frameWidth;
    int allLeft, allTop;
    int okLeft, cancelLeft, buttonsTop;
    bool showVersion2Boxes;
};
LogSetLayout logSetLayout(int hardVersion);

// Default graph window width in twips (registry default of FrmGraph_Width).
int defaultGraphWidth(int hardVersion);

} // namespace quellin
