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

} // namespace quellin
