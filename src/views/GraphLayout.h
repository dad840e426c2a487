#pragma once
// The graph window's layout rules, in twips, without widgets: where the frame,
// the summary and legend panels, the Y bars, the plot, the time axis and the
// pager go for a given inner window size and set of visible bars.

#include "base/DataRecord.h"

#include <array>
#include <vector>

namespace quellin {

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const TwipsRect&) const = default;
};

// The fixed parts of the form's design (twips).
struct GraphFormDesign {
    int mx = 60;                 // PicGraphBase.Left
    int my = 60;                 // PicGraphBase.Top
    int infoHeight = 600;        // PicInfo: two lines of summary
    int hanreiHeight = 360;      // PicHanrei: one row of legend boxes per nine series
    int barWidth = 1020;         // each PicLeftBar
    int graphTop = 90;           // PicGraph.Top inside PicGraphBase
    int bottomBarHeight = 420;   // two label lines (date, time)
    int bottomBarOverhang = 540; // PicBottomBar reaches this far beyond PicGraph each side
    int udHeight = 300;
    int graphRightMargin = 33;
    int minBarWidth = 850; // narrower, the tick labels lose their room
    int maxBarStack = 3;   // Y bars to a column at most
};

// The design for a hardware version: version 2 has a second legend row.
GraphFormDesign graphFormDesign(int hardVersion);

struct GraphWindowLayout {
    TwipsRect PicGraphBase, PicInfo, PicHanrei, PicGraph, PicBottomBar, UDGraph;
    std::array<TwipsRect, kMaxSeries> PicLeftBar{};
    int barStack = 1; // Y bars one above the other in a column
};

// How the visible Y bars stand left of the plot: side by side at the designed
// width while that leaves the plot at least half of the frame's width; otherwise
// narrower (not below minBarWidth) and, where that is not enough, two or three to
// a column, each in a band of the plot's height. The plot keeps half the frame
// down to very small windows.
struct BarArrangement {
    int width = 0;
    int stack = 1;
    bool operator==(const BarArrangement&) const = default;
};
BarArrangement arrangeBars(int visibleBars, int frameWidth, const GraphFormDesign& design);

// The legend's boxes in rows: widths[i] pixels wide each, placed left to right
// with spacing between them, a new row where the next would run past room and
// always at firstOfSecondRow (the version-2 items begin the designed second
// row). The row of each box; a box wider than room has a row of its own.
std::vector<int> legendRows(const std::vector<int>& widths, int room, int spacing,
                            int firstOfSecondRow);
// The legend's height for rows of boxes: as designed, and a row's 300 twips more
// for each row beyond the designed ones (longer English names need them).
int legendHeight(const GraphFormDesign& design, int hardVersion, int rows);

// The window as designed, before the first resize.
GraphWindowLayout initialGraphLayout(const GraphFormDesign& design);

// The resize rules for the inner size width × height. barVisible[s] says which Y
// bars are shown (in series order from the left of the frame, arranged by
// arrangeBars: down each column, then on to the next). Sizes that would come out
// zero or negative keep their previous value.
GraphWindowLayout layoutGraphWindow(int width, int height, const GraphFormDesign& design,
                                    const std::array<bool, kMaxSeries>& barVisible,
                                    const GraphWindowLayout& previous);

} // namespace quellin
