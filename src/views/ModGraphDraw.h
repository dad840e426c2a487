#pragma once
// The painting half of ModGraph: DrawGraph paints the whole graph of a scene
// onto the window's pictures: the dotted grid, the time labels, one Y bar per
// shown series and the curves. The scene is a plain value (GraphScene.h builds
// it from a data set's window and the catalogue), so the same routine draws the
// graph window, a printed page or a second data set.

#include "views/ModGraph.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>
#include <array>
#include <optional>
#include <span>
#include <vector>

class QPaintDevice;
class QPainter;

namespace quellin {

// Where the time labels go on the bottom bar. Label i wants its left edge at
// want[i] and is width[i] wide (i = 0 the start label, the last the end label,
// the grid labels between). Each is moved inside [visibleLeft, visibleRight] and a
// label that would touch one already placed (closer than gap) is left out: the
// start label first, then the end label, then the grid labels from the left.
// nullopt marks a label left out.
std::vector<std::optional<double>> placeTimeLabels(const std::vector<double>& want,
                                                   const std::vector<double>& width,
                                                   double visibleLeft, double visibleRight,
                                                   double gap);

// One picture box of the graph window as the renderer sees it: its rectangle in
// logical pixels of the paint device, its colours and whether it is shown.
struct GraphPicture {
    QRect rect;
    QColor BackColor;
    QColor ForeColor;
    bool Visible = true;
};

struct GraphPictures {
    double twipsPerPixel = 15.0;
    GraphPicture PicGraphBase;
    GraphPicture PicGraph;
    GraphPicture PicBottomBar;
    std::array<GraphPicture, kMaxSeries> PicLeftBar;
};

// The colour a series' curve is drawn in: its bar's colour, made to stand out from
// the plot's background. The legend and the cursor use it too.
QColor seriesCurveColour(const GraphPicture& bar, const GraphPicture& plot);

// The power factor's bar and curve: black on a white plot, white on any other.
void setPowerFactorColour(GraphPictures& pictures);

// One series as a drawing shows it.
struct GraphSeriesLook {
    bool shown = false;
    QString name;
    QString unit;    // the unit text of its Y bar's title, without the parentheses
    double ymin = 0; // the range and the scale index its tick labels are written in
    double ymax = 0;
    int scale = 0;
    bool fitted = false; // a range fitted to the data: labels by its own step
    SeriesAxis axis;     // what its curve is drawn against
};

// Everything one drawing shows: the window's ends and the data set's sample
// interval, the window's points 1..points (times and values of entries
// 0..points, views of arrays that outlive the drawing), the series 0..last and
// the pictures with their colours (the power factor's set, setPowerFactorColour).
struct GraphScene {
    double start = 0;
    double end = 0;
    int sampleInterval = 1;
    int points = 0;
    std::span<const double> times;
    std::vector<std::span<const double>> values; // one per series
    std::vector<GraphSeriesLook> series;
    GraphPictures pictures;
    // A window the user zoomed: its time axis steps on the clock instead of
    // dividing the sample positions.
    bool clockAxis = false;
    // A second data set laid over the first: its curves lighter and dashed.
    bool overlay = false;
};

// Draws the whole graph of scene. Errors are trapped and go to status panel 2
// of svc ("DrawGraph", "ChgValue"); false then.
bool DrawGraph(const GraphScene& scene, QPaintDevice& device, Services& svc);

// The grid, the time labels and the Y bars of the last drawing, kept for the next
// one: the display cycle redraws the curves every second over an unchanged
// background.
class GraphLayerCache {
public:
    void clear() { key_.clear(); }

private:
    friend bool DrawGraph(const GraphScene&, QImage&, GraphLayerCache&, Services&);
    QImage layer_;
    QByteArray key_;
};

// The same into image (replaced by a drawing of its own size, format and pixel
// ratio), the background taken from cache while nothing it shows has changed.
bool DrawGraph(const GraphScene& scene, QImage& image, GraphLayerCache& cache, Services& svc);
// The same on a painter the caller has prepared, the pictures in its logical
// coordinates: a printed page draws the window's layout scaled to the paper, in
// vectors at the printer's own resolution.
bool DrawGraph(const GraphScene& scene, QPainter& painter, Services& svc);
// Only the curves of scene (an overlay) on top of what image holds.
bool DrawGraphCurves(const GraphScene& scene, QImage& image, Services& svc);

// The colour of an overlay's curve: the series' colour halfway to the plot's.
QColor overlayColour(const QColor& curve, const QColor& plot);

} // namespace quellin
