#include "views/WindowFit.h"

#include <algorithm>

namespace quellin {

QRect fitIntoArea(const QRect& window, const QSize& area, const QSize& minimum)
{
    const int width = std::max(std::min(window.width(), area.width()), minimum.width());
    const int height = std::max(std::min(window.height(), area.height()), minimum.height());
    const int left = std::max(0, std::min(window.left(), area.width() - width));
    const int top = std::max(0, std::min(window.top(), area.height() - height));
    return {left, top, width, height};
}

ChildPlaces fitFirstRunPlaces(const ChildPlaces& designed, const QSize& area,
                              const QSize& minimumGraph)
{
    ChildPlaces fitted = designed;
    if (fitted.list)
        fitted.list = fitIntoArea(*fitted.list, area);
    if (fitted.graph) {
        QRect graph = *fitted.graph;
        // The graph stands above the list: it gives up height rather than hide
        // the list's newest rows under itself.
        if (fitted.list && graph.top() < fitted.list->top() && graph.bottom() >= fitted.list->top())
            graph.setHeight(std::max(fitted.list->top() - graph.top(), minimumGraph.height()));
        fitted.graph = fitIntoArea(graph, area, minimumGraph);
    }
    if (fitted.panel)
        fitted.panel = fitIntoArea(*fitted.panel, area);
    return fitted;
}

ChildPlaces arrangedPlaces(const QSize& area, const QSize& panel, int listHeight,
                           int minimumGraphHeight)
{
    const int w = std::max(area.width(), 1);
    const int h = std::max(area.height(), 1);
    const int list = std::clamp(std::max(listHeight, h * 2 / 5), 1,
                                std::max(h - minimumGraphHeight, std::min(listHeight, h)));
    const int top = std::max(h - list, 0);
    const int panelWidth = std::min(panel.width(), w / 3);
    ChildPlaces places;
    places.panel = QRect(0, 0, panelWidth, std::min(panel.height(), std::max(top, 1)));
    places.graph = QRect(panelWidth, 0, w - panelWidth, std::max(top, 1));
    places.list = QRect(0, top, w, h - top);
    return places;
}

QSize firstMainWindowSize(const QSize& available)
{
    return {std::min(available.width() - kMainWindowFrameAllowance.width(), 1360),
            std::min(available.height() - kMainWindowFrameAllowance.height(), 1000)};
}

} // namespace quellin
