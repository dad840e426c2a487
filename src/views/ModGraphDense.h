#pragma once
// A curve whose points crowd the plot (a day of one-second samples on a screen a
// thousand pixels wide): drawn as one vertical run per pixel column, from the
// lowest to the highest position the curve takes in that column. Each run reaches
// over to where the curve left the column before, so the runs join into one
// unbroken band; a segment that crosses several columns stays a line, and a
// stretch of missing samples stays dotted. What is drawn is what the sample-by-
// sample walk would draw at that resolution, at a fraction of its cost.

#include <QColor>
#include <QLine>
#include <QRect>
#include <vector>

class QPainter;

namespace quellin {

struct DenseCurve {
    std::vector<QLine> spans;  // one per pixel column that the curve passes
    std::vector<QLineF> lines; // solid segments longer than a column (antialiased)
    std::vector<QLineF> dots;  // dotted runs of missing samples
};

// Whether a curve of n points on a plot of the given width in pixels is drawn
// column by column: from two points per column on.
bool isDenseCurve(int points, int plotPixels);

// The plotting walk of one series (ts seconds from the window start, ys vertical
// positions in twips, points 1..n; dx the width of a sample position in twips;
// nothing starting beyond limitX twips) reduced to pixel columns of plot (device
// pixels, twipsPerPixel twips each).
DenseCurve denseCurve(const long long* ts, const double* ys, int n, double dx, long long interval,
                      double limitX, const QRect& plot, double twipsPerPixel);

// dashed: an overlay's curve, its runs drawn every other pixel and its lines dashed.
void drawDenseCurve(QPainter& p, const DenseCurve& curve, const QColor& colour,
                    bool dashed = false);

} // namespace quellin
