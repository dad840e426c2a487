#pragma once
// ModGraph: the trend graph of the graph window, the parts decided without
// painting (grid, labels, value mapping, the plotting walk), so that they are
// tested alone. The painting is ModGraphDraw.h.
//
// Coordinates are the pictures' own scale units, twips, as the window lays them
// out; the painter converts them with the twips-per-pixel factor of the device.

#include "base/Context.h"
#include "store/DataViews.h"

#include <QString>
#include <optional>
#include <vector>

namespace quellin {

// Sample positions of the window start..end: seconds ÷ interval + 1, taken to the
// nearest integer with halves to even. An interval below 1 counts as 1.
long long graphSlotCount(double graphStart, double graphEnd, int sampleInterval);

// The vertical grid of t sample positions: lines dotted vertical lines, per sample
// positions per grid division (t \ (lines + 1)).
struct GridDivision {
    int lines = 0;
    long long per = 0;
};
GridDivision gridDivision(long long slots);

// Label times under the vertical grid lines D = 1..lines.
std::vector<double> gridLabelTimes(double graphStart, int sampleInterval, GridDivision grid);

// "(unit)" of a series' Y bar title without the parentheses: the prefix of its
// scale index and its base unit for series 0..6 and 8, the base unit otherwise.
QString seriesUnitText(const Catalog& cat, int s);
// The name of series s as the windows and prints show it (the catalogue keeps
// the Japanese, which the data files' head is made of); empty for s outside it.
QString shownSeriesName(const Catalog& cat, int s);
// The same for every series of the catalogue.
QStringList shownSeriesNames(const Catalog& cat);

// What the labels of a normal series' Y bar are written in: its values divided by
// divisor (the power of ten of the title's prefix), in format.
struct ScaleLabelFormat {
    double divisor = 1;
    QString format;
};
ScaleLabelFormat scaleLabelFormat(const Catalog& cat, int s);
// The same for the scale index of a normal series.
ScaleLabelFormat scaleLabelFormat(int scale);

// Tick label of series s at grid line j (1 = top .. 9), from the catalogue's
// range and scale of the series.
QString tickLabel(const Catalog& cat, int s, int j);
// The same from the range ymin..ymax and the scale index of series s; a fitted
// range is labelled in the prefix and decimals its step asks for.
QString tickLabel(int s, double ymin, double ymax, int scale, int j, bool fitted = false);

// Where a Y bar's tick labels start, in twips from its left edge: 440 on a bar of
// the designed width (1020); on a narrower bar nearer the title column, so that
// the labels keep their room, but never into that column (270).
double tickLabelX(double barWidth);

// The top of a Y bar's title (the name one character per 220 twips, then the
// unit): 600 twips above the middle of a bar as tall as the plot; a bar stacked
// with others in a band of the plot has it centred in the band (never above it).
double barTitleTop(double barHeight, double plotHeight, int nameLength);

// Whether a Y bar's title is written one character under the other, as the
// Japanese names are. A name in Latin letters is written turned instead, reading
// upwards, which keeps its words legible in the bar's narrow title column.
bool barTitleStacked(const QString& name);
// The lines of 220 twips a turned title widthTwips long takes: as many as its
// length needs, but no more than the bar leaves for it below the title's top
// with a line for the unit (the title is then set smaller), and at least one.
int turnedTitleLines(double widthTwips, double barHeight, double plotHeight);

// Whether the label of grid line j (at j × step from the plot's top) belongs on a
// bar that covers the band offset .. offset + height of the plot's height (all
// nine for a bar as tall as the plot).
bool tickInBar(int j, double step, double offset, double height);

// The axis a series' curve is drawn against: power factor is fixed −12.5..112.5,
// every other series uses its Y range; series 9..13 use scale index 0.
struct SeriesAxis {
    double ymin = 0;
    double ymax = 0;
    int scale = 0;
};
SeriesAxis seriesAxis(const Catalog& cat, int s);

// The value limited to at most twice the axis maximum. A value that is not a
// number is reported (status bar, "ChgValue") and gives 0.
double ChgValue(Services& svc, int scale, double ymax, double value);

// Vertical position of an already limited value in a picture of the given height:
// height × (ymax − v) ÷ (ymax − ymin). Values below ymin lie below the picture.
double valueToY(double height, double ymin, double ymax, double value);

// Makes the window's values of the series listed in AbsSeries non-negative when
// they are shown and the window has two points or more (reverse power flow is
// drawn upwards like forward flow). False after a trapped error (reported in the
// status bar as "bfGraph_Abs").
bool bfGraph_Abs(Services& svc, const Catalog& cat, GraphWindowState& window);

// One line of a curve, in twips of the plot picture. Consecutive samples are
// joined solid; missing samples are bridged by dotted steps at the last value.
struct PlotSegment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool dotted = false;
    bool operator==(const PlotSegment&) const = default;
};

struct PlotGeometry {
    double width = 0;    // plot picture width (twips)
    long long slots = 0; // t
    int sampleInterval = 1;
};

// The plotting walk of one series. pointSeconds[i] are the seconds from the
// window start to point i and ys[i] the vertical positions, for i = 1..n (index 0
// unused). Nothing for n < 2. Segments that would start beyond the right edge are
// left out (they cannot be seen), so the walk stays short for any gap.
std::vector<PlotSegment> plotSegments(const std::vector<long long>& pointSeconds,
                                      const std::vector<double>& ys, int n,
                                      const PlotGeometry& geometry);

} // namespace quellin
