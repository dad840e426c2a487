#pragma once
// Colours of the graph: the series colours the window is laid out with, the
// QB colours of the grid, and the adjustment that keeps a series colour readable
// on whatever background it is drawn (dark plot, white print, grey bars).

#include <QColor>
#include <array>

namespace quellin {

constexpr int kGraphSeriesCount = 14;

// The graph window's design colours of the Y bars (and so of the curves), one per
// series. Series 7 (power factor) is set by the drawing routine: white on a dark
// plot, black on a white one.
const std::array<QColor, kGraphSeriesCount>& seriesDesignColours();

// The button-face grey of the frame pictures, and the plot's black background.
QColor buttonFaceColour();
QColor plotDesignBackColour();

// QBColor(0..15) of the original palette (0 black, 7 light grey, 15 white).
QColor qbColor(int index);

bool isWhite(const QColor& c);

// WCAG contrast ratio of two colours (1..21).
double contrastRatio(const QColor& a, const QColor& b);

// c itself when it stands out from background by at least minRatio; otherwise c
// moved towards black (on a light background) or white (on a dark one) just far
// enough, keeping its hue.
QColor readableColour(const QColor& c, const QColor& background, double minRatio);

} // namespace quellin
