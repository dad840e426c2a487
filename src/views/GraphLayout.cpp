#include "views/GraphLayout.h"

#include <algorithm>
#include <cstddef>

namespace quellin {

GraphFormDesign graphFormDesign(int hardVersion)
{
    GraphFormDesign d;
    if (hardVersion >= 2)
        d.hanreiHeight = 660; // the leakage and temperature boxes form a second row
    return d;
}

std::vector<int> legendRows(const std::vector<int>& widths, int room, int spacing,
                            int firstOfSecondRow)
{
    std::vector<int> rows;
    rows.reserve(widths.size());
    int row = 0;
    int x = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const bool breakHere = static_cast<int>(i) == firstOfSecondRow && i > 0;
        if (breakHere || (x > 0 && x + spacing + widths[i] > room)) {
            ++row;
            x = 0;
        }
        x += (x > 0 ? spacing : 0) + widths[i];
        rows.push_back(row);
    }
    return rows;
}

int legendHeight(const GraphFormDesign& d, int hardVersion, int rows)
{
    constexpr int kRowTwips = 300;
    const int designedRows = hardVersion >= 2 ? 2 : 1;
    return d.hanreiHeight + kRowTwips * std::max(0, rows - designedRows);
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

BarArrangement arrangeBars(int visibleBars, int frameWidth, const GraphFormDesign& d)
{
    if (visibleBars <= 0)
        return {d.barWidth, 1};
    const int room = frameWidth - d.graphRightMargin - frameWidth / 2;
    const int stackLimit = std::max(d.maxBarStack, 1);
    int columns = visibleBars;
    for (int stack = 1; stack <= stackLimit; ++stack) {
        columns = (visibleBars + stack - 1) / stack;
        const int width = std::min(d.barWidth, room / columns);
        if (width >= d.minBarWidth)
            return {width, stack};
    }
    // A window too small for any of that: the deepest stack, as wide as there is
    // room, but not so narrow that nothing can be read.
    constexpr int kNarrowest = 600;
    return {std::min(d.barWidth, std::max(room / columns, kNarrowest)), stackLimit};
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

    // Visible bars from the left, down each column of the arrangement; hidden
    // bars take no room.
    int visible = 0;
    for (const bool v : barVisible)
        visible += v ? 1 : 0;
    const BarArrangement bars = arrangeBars(visible, base.width, d);
    l.barStack = bars.stack;
    int index = 0;
    for (std::size_t s = 0; s < l.PicLeftBar.size(); ++s) {
        if (!barVisible[s])
            continue;
        l.PicLeftBar[s].left = (index / bars.stack) * bars.width;
        l.PicLeftBar[s].width = bars.width;
        ++index;
    }
    const int columns = (visible + bars.stack - 1) / bars.stack;
    TwipsRect& plot = l.PicGraph;
    plot.left = columns * bars.width;
    setIfPositive(plot.width, base.width - plot.left - d.graphRightMargin);
    setIfPositive(plot.height,
                  base.height - 3 * plot.top - l.PicBottomBar.height - l.UDGraph.height);
    // Each bar as tall as the plot, or as its band when they are stacked.
    const int band = plot.height / bars.stack;
    index = 0;
    for (std::size_t s = 0; s < l.PicLeftBar.size(); ++s) {
        TwipsRect& bar = l.PicLeftBar[s];
        if (!barVisible[s]) {
            bar.top = plot.top;
            bar.height = plot.height;
            continue;
        }
        const int row = index % bars.stack;
        bar.top = plot.top + row * band;
        bar.height = row == bars.stack - 1 ? plot.height - row * band : band;
        ++index;
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
