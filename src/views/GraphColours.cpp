#include "views/GraphColours.h"

#include <cmath>

namespace quellin {

namespace {

double channel(double c)
{
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c)
{
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

QColor mix(const QColor& from, const QColor& to, double f)
{
    return QColor::fromRgbF(static_cast<float>(from.redF() + (to.redF() - from.redF()) * f),
                            static_cast<float>(from.greenF() + (to.greenF() - from.greenF()) * f),
                            static_cast<float>(from.blueF() + (to.blueF() - from.blueF()) * f));
}

} // namespace

const std::array<QColor, kGraphSeriesCount>& seriesDesignColours()
{
    // Distinct hues, bright enough for the black plot; readableColour darkens them
    // for white paper and the grey bars.
    static const std::array<QColor, kGraphSeriesCount> colours = {
        QColor(0xFF, 0x5A, 0x5A), // 0 voltage R: red
        QColor(0xFF, 0xA0, 0x28), // 1 voltage T: orange
        QColor(0xF0, 0xDC, 0x28), // 2 current R: yellow
        QColor(0xA8, 0xE0, 0x3C), // 3 current T: yellow-green
        QColor(0x3C, 0xDC, 0x78), // 4 active power: green
        QColor(0x28, 0xD2, 0xD2), // 5 reactive power: cyan
        QColor(0x5A, 0xA0, 0xFF), // 6 apparent power: blue
        QColor(0xFF, 0xFF, 0xFF), // 7 power factor: white (set when drawing)
        QColor(0xD2, 0x8C, 0xFF), // 8 integrated energy: violet
        QColor(0xFF, 0x78, 0xC8), // 9 leakage current 1: pink
        QColor(0xD2, 0xAA, 0x78), // 10 leakage current 2: tan
        QColor(0x96, 0xB4, 0xDC), // 11 leakage current 3: steel blue
        QColor(0xFF, 0x8C, 0x64), // 12 temperature 1: coral
        QColor(0x8C, 0xFF, 0xD2), // 13 temperature 2: aquamarine
    };
    return colours;
}

QColor buttonFaceColour()
{
    return QColor(0xF0, 0xF0, 0xF0);
}

QColor plotDesignBackColour()
{
    return QColor(0, 0, 0);
}

QColor qbColor(int index)
{
    // 0 black, 1 blue, 2 green, 3 cyan, 4 red, 5 magenta, 6 brown, 7 light grey, then
    // the bright forms, 15 white.
    static const QRgb palette[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                     0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                     0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    return QColor(palette[index & 15]);
}

bool isWhite(const QColor& c)
{
    return (c.rgb() & 0xFFFFFF) == 0xFFFFFF;
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableColour(const QColor& c, const QColor& background, double minRatio)
{
    if (contrastRatio(c, background) >= minRatio)
        return c;
    const QColor target = luminance(background) > 0.18 ? QColor(0, 0, 0) : QColor(255, 255, 255);
    for (int step = 1; step <= 20; ++step) {
        const QColor m = mix(c, target, step / 20.0);
        if (contrastRatio(m, background) >= minRatio)
            return m;
    }
    return target;
}

} // namespace quellin
