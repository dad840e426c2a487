#include "base/VersionLayout.h"

#include <cmath>

namespace quellin {

int twipsToPixels(double twips, double logicalDpi)
{
    return static_cast<int>(std::lround(twips * logicalDpi / 1440.0));
}

double pixelsToTwips(int pixels, double logicalDpi)
{
    return pixels * 1440.0 / logicalDpi;
}

bool isVersion2(int hardVersion)
{
    return hardVersion >= 2;
}

DispLayout dispLayout(int hardVersion)
{
    if (isVersion2(hardVersion))
        return {3100, 4995, 60, 0, 2550, 4785, true};
    return {2205, 4995, 60, 0, 1665, 4785, false};
}

SpreadLayout spreadLayout(int hardVersion)
{
    return isVersion2(hardVersion) ? SpreadLayout{4095, 14685} : SpreadLayout{4095, 10935};
}

LogSetLayout logSetLayout(int hardVersion)
{
    if (isVersion2(hardVersion))
        return {4140, 5340, 120, 150, 2925, 5025, 3090, 2400, 2955, 3960, 3165, true};
    return {3420, 5340, 120, 150, 2205, 5025, 3090, 1740, 2955, 3960, 2460, false};
}

int defaultGraphWidth(int hardVersion)
{
    return isVersion2(hardVersion) ? 11010 : 11580;
}

} // namespace quellin
