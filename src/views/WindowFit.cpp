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

} // namespace quellin
