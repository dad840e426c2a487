#include "views/GraphLayout.h"

#include <cstddef>

namespace quellin {

GraphFormDesign graphFormDesign(int hardVersion)
{
    GraphFormDesign d;
    if (hardVersion >= 2)
        d.hanreiHeight = 660; // the leakage and temperature boxes form a second row
    return d;
}

GraphWindowLayout initialGraphLayout(const GraphFormDesign& d)
{
    GraphWindowLayout l;
    l.PicGraphBase = {d.mx, d.my, 0, 0};
    l.PicInfo = {d.mx, 0, 0, d.infoHeight};
    l.PicHanrei = {d.mx, 0, 0, d.hanreiHeight};
    l.PicGraph = {0, d.graphTop, 0, 0};
    l.PicBottomBar = {0, 0, 0, d.bottomBarHeight};
    l.UDGraph = {0, 0, 0, d.udHeight};
    for (auto& bar : l.PicLeftBar)
        bar = {0, d.graphTop, d.barWidth, 0};
    return l;
}

GraphWindowLayout layoutGraphWindow(int width, int height, const GraphFormDesign& d,
                                    const std::array<bool, kMaxSeries>& barVisible,
                                    const GraphWindowLayout& previous)
{
    GraphWindowLayout l = previous;
    auto setIfPositive = [](int& target, int value) {
        if (value > 0)
            target = value;
    };
    TwipsRect& base = l.PicGraphBase;
    setIfPositive(base.width, width - 2 * base.left);
    setIfPositive(base.height, height - 4 * base.top - l.PicInfo.height - l.PicHanrei.height);

    l.PicInfo.left = base.left;
    l.PicInfo.top = base.bottom() + base.top;
    setIfPositive(l.PicInfo.width, base.width);
    l.PicHanrei.left = base.left;
    l.PicHanrei.top = l.PicInfo.bottom() + base.top;
    setIfPositive(l.PicHanrei.width, base.width);

    // Visible bars side by side from the left; hidden bars take no room.
    int x = 0;
    for (std::size_t s = 0; s < l.PicLeftBar.size(); ++s) {
        if (!barVisible[s])
            continue;
        l.PicLeftBar[s].left = x;
        x += l.PicLeftBar[s].width;
    }
    TwipsRect& plot = l.PicGraph;
    plot.left = x;
    setIfPositive(plot.width, base.width - plot.left - d.graphRightMargin);
    setIfPositive(plot.height,
                  base.height - 3 * plot.top - l.PicBottomBar.height - l.UDGraph.height);
    for (auto& bar : l.PicLeftBar) {
        bar.top = plot.top;
        bar.height = plot.height;
    }

    // The time axis is centred under the plot and wider on both sides: the label
    // offsets of the drawing rely on that.
    l.PicBottomBar.top = plot.bottom() + 3;
    l.PicBottomBar.left = plot.left - d.bottomBarOverhang;
    l.PicBottomBar.width = plot.width + 2 * d.bottomBarOverhang;
    l.UDGraph.top = l.PicBottomBar.bottom() + 3;
    l.UDGraph.left = plot.left;
    l.UDGraph.width = plot.width;
    return l;
}

} // namespace quellin
