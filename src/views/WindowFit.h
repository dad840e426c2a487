#pragma once
// Child windows that fit the window area: the places the windows take on a first
// run (before the user ever placed them) are fitted to the area the main window
// offers, so that on a small screen nothing starts out of sight.

#include <QRect>
#include <QSize>
#include <optional>

namespace quellin {

// The window moved (and, when larger than the area, shrunk to it, never below
// minimum) so that it lies inside an area of the given size from (0, 0).
QRect fitIntoArea(const QRect& window, const QSize& area, const QSize& minimum = {});

// The first-run places of the three children; a window that is not open, or that
// the user placed before, is nullopt and stays where it is.
struct ChildPlaces {
    std::optional<QRect> panel;
    std::optional<QRect> graph;
    std::optional<QRect> list;
};

// The places fitted to the area: the list keeps all its rows, at the bottom of
// the area when its designed place would reach below it; the graph above it
// gives up height for it (not below minimumGraph), and every window lies inside
// the area.
ChildPlaces fitFirstRunPlaces(const ChildPlaces& designed, const QSize& area,
                              const QSize& minimumGraph);

// The arranged layout of an area (the first run, and 整列): the value panel at
// the top left in its own size (at most a third of the width), the graph beside
// it to the right edge, the list below both across the whole width. The list
// gets 40 % of the height, at least listHeight (its rows in sight), and leaves
// the graph at least minimumGraphHeight when the area allows.
ChildPlaces arrangedPlaces(const QSize& area, const QSize& panel, int listHeight,
                           int minimumGraphHeight);

// The main window's first size on a screen's available area: the designed
// 1360 × 1000 at most, less room for the window's frame, so that its status
// bar is on the screen.
QSize firstMainWindowSize(const QSize& available);
inline constexpr QSize kMainWindowFrameAllowance{16, 48};

} // namespace quellin
