#include "print/ReportGraph.h"

#include "base/MeasuredItems.h"
#include "platform/VbDate.h"
#include "views/GraphColours.h"
#include "views/GraphFit.h"
#include "views/ModGraph.h"

#include <algorithm>
#include <optional>

namespace quellin {

namespace {

// The graph window's colours in print: white pictures, each Y bar in its
// series' colour (the sheet lays the pictures out for itself).
GraphPictures printPictures(const std::vector<GraphSeriesLook>& series)
{
    GraphPictures pics;
    pics.PicGraphBase = {QRect(), Qt::white, Qt::black, true};
    pics.PicGraph = {QRect(), Qt::white, Qt::black, true};
    pics.PicBottomBar = {QRect(), Qt::white, Qt::black, true};
    const auto& colours = seriesDesignColours();
    for (size_t s = 0; s < pics.PicLeftBar.size(); ++s)
        pics.PicLeftBar[s] = {QRect(), Qt::white, colours[s], s < series.size() && series[s].shown};
    setPowerFactorColour(pics);
    return pics;
}

} // namespace

std::unique_ptr<KeptGraphScene> reportGraphScene(const Catalog& cat, int hardVersion, const DataSet& data,
                                                 const SurveyFigures& f, Services& svc)
{
    GraphWindowState window;
    window.GraphStart = f.first;
    // A single record still gets a time axis of its storage period.
    window.GraphEnd = std::max(f.last, vbdate::addSeconds(f.first, std::max(f.periodSeconds, 1)));
    window.GraphFollowing = false;
    data.LoadGraphWindow(window, cat.SeriesLast, hardVersion);
    bfGraph_Abs(svc, cat, window);

    // The graph window's rule for a new data set: what the user chose stays,
    // the rest is fitted to the values.
    Catalog scaled = cat;
    for (int s = 0; s <= cat.SeriesLast && static_cast<size_t>(s) < window.GraphValues.size(); ++s) {
        const auto i = static_cast<size_t>(s);
        if (flagAt(cat.SeriesScaleChosen, s) || seriesKind(s) == SeriesKind::PowerFactor ||
            i >= scaled.SeriesYMin.size() || i >= scaled.SeriesYMax.size())
            continue;
        const auto extent = valueExtent(window.GraphValues[i], window.GraphPoints);
        const auto range = extent ? fitRange(extent->lo, extent->hi, fitKeepsZero(s)) : std::nullopt;
        if (!range)
            continue;
        scaled.SeriesYMin[i] = range->ymin;
        scaled.SeriesYMax[i] = range->ymax;
        if (scaled.SeriesFitted.size() <= i)
            scaled.SeriesFitted.resize(i + 1, false);
        scaled.SeriesFitted[i] = true;
    }
    GraphScene scene = graphScene(window, data, scaled, GraphPictures{});
    // A series whose column the data set lacks would be drawn as zeros: it is
    // left out. When none of the user's series is left (quellin-cli has none),
    // the active power, or else the first series the data set holds.
    const auto present = [&](size_t s) { return data.columnPresent(seriesColumn(static_cast<int>(s))); };
    bool any = false;
    for (size_t s = 0; s < scene.series.size(); ++s) {
        GraphSeriesLook& look = scene.series[s];
        look.shown = look.shown && present(s);
        any = any || look.shown;
    }
    std::optional<size_t> fallback;
    for (size_t s = 0; !any && s < scene.series.size(); ++s) {
        if (!present(s) || seriesKind(static_cast<int>(s)) == SeriesKind::PowerFactor)
            continue;
        if (!fallback || seriesColumn(static_cast<int>(s)) == column::kActivePower)
            fallback = s;
    }
    if (fallback)
        scene.series[*fallback].shown = true;
    scene.pictures = printPictures(scene.series);
    return std::make_unique<KeptGraphScene>(scene);
}

} // namespace quellin
