#pragma once
// The painting half of ModGraph: DrawGraph paints the whole graph onto the
// window's pictures: the dotted grid, the time labels, one Y bar per shown series
// and the curves.

#include "views/ModGraph.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>
#include <array>
#include <optional>
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

// Draws the whole graph from the store's graph window and the catalogue. Changes
// only the pictures, PicLeftBar[7].ForeColor and (through bfGraph_Abs) the values
// of GraphValues. Errors go to status panel 2 ("DrawGraph"); false then.
bool DrawGraph(Context& ctx, QPaintDevice& device, GraphPictures& pictures);

// The grid, the time labels and the Y bars of the last drawing, kept for the next
// one: the display cycle redraws the curves every second over an unchanged
// background.
class GraphLayerCache {
public:
    void clear() { key_.clear(); }

private:
    friend bool DrawGraph(Context&, QImage&, GraphPictures&, GraphLayerCache&);
    QImage layer_;
    QByteArray key_;
};

// The same into image (replaced by a drawing of its own size, format and pixel
// ratio), the background taken from cache while nothing it shows has changed.
bool DrawGraph(Context& ctx, QImage& image, GraphPictures& pictures, GraphLayerCache& cache);
// The same on a painter the caller has prepared, the pictures in its logical
// coordinates: a printed page draws the window's layout scaled to the paper, in
// vectors at the printer's own resolution.
bool DrawGraph(Context& ctx, QPainter& painter, GraphPictures& pictures);

} // namespace quellin
