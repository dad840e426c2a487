#pragma once
// The pieces a report page is made of, painted with a plain QPainter: a table
// whose rows may run over several pages (in bands side by side when it is
// narrow), and a bar chart with its highest bar marked. Sizes are given in
// points and painted in the device's units (ReportUnits), so the same page
// comes out alike on a printer, in the preview and in a PDF.

#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

class QPainter;

namespace quellin {

// Points to device units at a resolution.
struct ReportUnits {
    double dpi = 72;
    double pt(double points) const { return points * dpi / 72.0; }
};

// A table: its column titles, the share of the width each column takes, which
// columns are right-aligned (numbers), and the rows' cells.
struct ReportTable {
    QStringList titles;
    std::vector<double> widths; // points
    std::vector<bool> right;
    std::vector<QStringList> rows;
    std::vector<bool> marked; // rows set in bold (the maximum); may be shorter than rows

    double width() const;
};

// Row height and text size of every report table, in points.
inline constexpr double kReportRowPoints = 13;
inline constexpr double kReportTablePoints = 8.5;

// Widens the columns whose title, or (labelled: the first column holds words, not
// figures of a fixed format) whose text in the first column, needs more than the
// designed width (English texts run longer), as far as the table stays within
// maxWidth points, so that no text runs into its neighbour.
void fitReportTable(ReportTable& table, double maxWidth, bool labelled);

// Paints rows first..first+count-1 of table with its title row at top-left,
// filling `bands` bands side by side (each down to rowsPerBand rows).
void paintReportTable(QPainter& p, const ReportUnits& u, const ReportTable& table, QPointF topLeft,
                      int first, int count, int bands, int rowsPerBand);

// A bar chart: one bar per value under sparse labels, the bar at `marked` in
// its own colour with its value written above; the Y axis in round steps.
struct ReportChart {
    QStringList labels;
    std::vector<double> values;
    int marked = -1;
    QString unit;
    QString markText; // written beside the marked bar
    // The numbers of bars a label may stand apart, smallest first (whole hours,
    // days); the smallest whose labels do not touch is taken. Empty: any number.
    std::vector<int> labelStrides;
};

// A chart's value axis over lo..hi: zero and about five round steps (1, 2 or
// 5 times a power of ten), the top a little above hi.
struct AxisSteps {
    double ymin = 0;
    double ymax = 1;
    double step = 0.2;
    bool operator==(const AxisSteps&) const = default;
};
AxisSteps axisSteps(double lo, double hi);

void paintReportChart(QPainter& p, const ReportUnits& u, const ReportChart& chart, const QRectF& area);

} // namespace quellin
