#pragma once
// The cursor on the plot, decided without windows: the sample position under the
// mouse, its time, and each shown series' value there as its curve draws it,
// written in the unit of its Y bar.

#include "base/Context.h"
#include "store/DataSet.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <vector>

namespace quellin {

// The value of series s at time t as its curve shows it: the point at t; between
// two samples that follow one another, the straight line joining them; over one
// missing sample the last value (the dotted bridge). Nothing where the curve
// breaks (samples more than two periods apart), before the first point, after
// the last one, or for a series without points. Samples
// follow one another at sampleInterval seconds (the window's data set's).
std::optional<double> seriesValueAt(const GraphWindowState& window, int sampleInterval, int s,
                                    double t);
// The same over points 1..n of times and values (entries 0..n).
std::optional<double> valueOnCurve(std::span<const double> times, std::span<const double> values,
                                   int n, int sampleInterval, double t);

// A value of series s in the unit its Y bar shows ("1.234" for 1234 W on a
// kilowatt scale), with the bar's number of decimals; "0.0" for leakage
// currents, temperatures and power factor.
QString seriesValueText(const Catalog& cat, int s, double value);

struct CursorReading {
    int series = 0;
    QString text; // "有効電力 1.234 KW"
};

struct CursorReadout {
    bool valid = false;
    double x = 0; // twips from the plot's left edge: the sample position's place
    double time = 0;
    QString timeText; // "2002/06/01 10:00:05"
    std::vector<CursorReading> readings;
};

// The readout at x twips from the left of a plot plotWidth twips wide: snapped to
// the nearest sample position of the window (the positions the curves are drawn
// on), its time, and one reading per shown series ("－" where the series has no
// value then). Invalid while the window holds fewer than two points. The window
// is one of data, its series those of the catalogue. names: the series' names
// as shown (shownSeriesNames), prepared once for readouts made at every move of
// the mouse; without them they are translated here.
CursorReadout cursorReadout(const GraphWindowState& window, const DataSet& data, const Catalog& cat,
                            double x, double plotWidth, const QStringList* names = nullptr);

} // namespace quellin
