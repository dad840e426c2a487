#pragma once
// The graph as a sheet of its own, for paper, PDF and picture files: what the
// data set is (its title line), the period shown with its energy and peak, the
// graph laid out afresh for the sheet (not the window's pixels shrunk onto it, so
// its labels stay readable), and a legend of the shown series in their colours
// and units.

#include "base/Context.h"
#include "store/DataSet.h"
#include "views/ModGraphDraw.h"

#include <QColor>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace quellin {

struct GraphSheetHead {
    QString title;  // the data set's title line, or "計測データ"
    QString period; // the records of the window: first, last, count, period
    QString energy; // Σ P·Δt and the highest active power with its time ("" without power)
    struct Entry {
        QString text; // "有効電力 (W)"
        QColor colour;
    };
    std::vector<Entry> legend; // the shown series, in series order
};

// The head of a sheet of scene (a window over data with the catalogue's series).
GraphSheetHead graphSheetHead(const DataSet& data, const GraphScene& scene);

// The graph's pictures laid out for a drawing of widthTwips × heightTwips at
// twipsPerPixel: the plot, the Y bars and the time axis as the graph window
// would place them at that size, without room for the pager; colours and shown
// bars as in window.
GraphPictures sheetPictures(const GraphPictures& window, double widthTwips, double heightTwips,
                            int hardVersion, double twipsPerPixel);

// Where a sheet's parts go in area (device pixels at dpi): the head's lines, the
// graph, and the legend's entries below it, in rows as wide as the area. The
// graph takes the rest of the height, but no more than 0.7 of its width.
struct GraphSheetLayout {
    std::vector<QRectF> headLines; // title, period, energy (those that are set)
    QRectF graph;
    struct Entry {
        QRectF sample; // the colour line's box
        QRectF text;
    };
    std::vector<Entry> legend; // one per head.legend entry
};
GraphSheetLayout layoutGraphSheet(QPainter& painter, const QRectF& area, double dpi,
                                  const GraphSheetHead& head);

// Paints the sheet into area: the head, the graph of scene (its pictures taken
// for colours and shown bars only), the legend. Drawing errors go through svc.
void paintGraphSheet(QPainter& painter, const QRectF& area, double dpi, const GraphSheetHead& head,
                     const GraphScene& scene, int hardVersion, Services& svc);

} // namespace quellin
