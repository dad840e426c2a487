#pragma once
// Drawing one curve of the graph: the plotting walk's segments are chained into
// lines as they come, dense pixel columns are thinned on the way, and missing
// samples become dotted runs.

#include "views/ModGraph.h"

#include <QColor>
#include <QLine>
#include <QPointF>
#include <QPolygonF>
#include <QRect>
#include <array>

class QPainter;

namespace quellin {

// Thins a curve (in device pixels, x only growing) for drawing: a pixel column
// with more than four points becomes one vertical run from its lowest to its
// highest point, entered at its first and left from its last point; the runs of
// dense columns side by side reach over to each other and form one band. Sparse
// parts stay as they are. What is drawn looks the same; a day of samples draws
// fast.
struct ThinnedCurve {
    std::vector<QPolygonF> lines; // antialiased, two points or more each
    std::vector<QLine> spans;     // vertical runs of dense columns
};
ThinnedCurve thinByPixelColumn(const QPolygonF& line);

// Thins a curve point by point (x never decreasing); see thinByPixelColumn.
class ColumnThinner {
public:
    void add(const QPointF& p);
    // Ends the curve and hands over what was gathered.
    ThinnedCurve finish();

private:
    static constexpr int kDenseColumn = 4;
    void closeColumn();
    void endLine();

    ThinnedCurve out_;
    QPolygonF current_;
    double column_ = 0;
    QPointF first_, last_;
    double lo_ = 0, hi_ = 0;
    int count_ = 0;
    bool afterDense_ = false; // the last column closed was a dense one
    std::array<QPointF, kDenseColumn> few_{};
};

// Takes the walk's segments (twips of the plot) and draws them in device pixels:
// solid segments antialiased, dotted bridges crisp.
class CurvePainter {
public:
    CurvePainter(QPainter& p, const QRect& plot, double twipsPerPixel, QColor colour,
                 Qt::PenStyle style = Qt::SolidLine);
    ~CurvePainter();
    CurvePainter(const CurvePainter&) = delete;
    CurvePainter& operator=(const CurvePainter&) = delete;

    void add(double x1, double y1, double x2, double y2, bool dotted);

private:
    double xToPixels(double x) const;
    double yToPixels(double y) const;
    void flushSolid();
    void flushDots();

    QPainter& p_;
    QRect plot_;
    double tpp_;
    double perTwip_;
    QColor colour_;
    Qt::PenStyle style_;
    ColumnThinner thinner_;
    bool solidOpen_ = false;
    double solidEndX_ = 0; // pixels
    double solidEndY_ = 0; // twips, as the walk gave it
    bool dotRun_ = false;
    QPointF dotStart_, dotEnd_;
    double dotEndY_ = 0;
};

} // namespace quellin
