#include "views/GraphLive.h"

#include "base/MeasuredItems.h"
#include "platform/VbDate.h"
#include "store/DataSet.h"
#include "store/ModFile.h"
#include "views/GraphScale.h"

#include <algorithm>
#include <limits>

namespace quellin {

long long graphStepSeconds(int graphXHani)
{
    switch (graphXHani) {
    case 1:
        return 60;
    case 2:
        return 3600;
    case 3:
        return 86400;
    default:
        return 0;
    }
}

std::optional<double> slidingStart(double firstTime, double newest, int graphXHani)
{
    const long long step = graphStepSeconds(graphXHani);
    if (step <= 0)
        return std::nullopt;
    // The day window is a calendar day, as paging moves it.
    const double start =
        graphXHani == 3 ? vbdate::addDays(newest, -1) : vbdate::addSeconds(newest, -step);
    return vbdate::secondsBetween(firstTime, start) < 0 ? firstTime : start;
}

bool followsAfterPaging(double graphEnd, double newest)
{
    return vbdate::secondsBetween(graphEnd, newest) <= 0;
}

void stepLiveWindow(Context& ctx)
{
    GraphWindowState& window = ctx.graphWindow();
    const DataSet& data = ctx.dataSet();
    if (ctx.app.Measuring && window.GraphFollowing) {
        if (window.GraphSpan > 0) {
            // A zoomed view follows with its own span.
            const double start = vbdate::addSeconds(data.LastTime(), -window.GraphSpan);
            window.GraphStart =
                vbdate::secondsBetween(data.FirstTime(), start) < 0 ? data.FirstTime() : start;
        } else if (const auto start =
                       slidingStart(data.FirstTime(), data.LastTime(), ctx.app.GraphXHani)) {
            window.GraphStart = *start;
        }
    }
    SetGraphWindow(ctx, 0);
}

bool followsAfterScaleX(bool following, bool startEdited, double graphEnd, double newest)
{
    return startEdited ? followsAfterPaging(graphEnd, newest) : following;
}

void pageGraphWindow(Context& ctx, int direction)
{
    SetGraphWindow(ctx, direction < 0 ? -1 : 1);
    GraphWindowState& window = ctx.graphWindow();
    window.GraphFollowing = followsAfterPaging(window.GraphEnd, ctx.dataSet().LastTime());
}

bool firstScaleDue(bool pending, int graphPoints)
{
    return pending && graphPoints >= 2;
}

std::vector<bool> seriesForFirstScale(const Catalog& cat)
{
    const int series = std::max(cat.SeriesLast + 1, 0);
    std::vector<bool> scale(static_cast<size_t>(series), false);
    for (int s = 0; s < series; ++s)
        scale[static_cast<size_t>(s)] =
            seriesKind(s) != SeriesKind::PowerFactor && !flagAt(cat.SeriesScaleChosen, s);
    return scale;
}

bool applyFirstScale(Context& ctx)
{
    GraphWindowState& window = ctx.graphWindow();
    if (!firstScaleDue(window.GraphFirstScalePending, window.GraphPoints))
        return false;
    window.GraphFirstScalePending = false;
    fitSeriesScales(ctx, seriesForFirstScale(ctx.cat));
    return true;
}

std::vector<bool> seriesOutgrowingScale(const Context& ctx)
{
    const Catalog& cat = ctx.cat;
    const GraphWindowState& st = ctx.graphWindow();
    const std::vector<bool> automatic = seriesForFirstScale(cat);
    std::vector<bool> out(automatic.size(), false);
    const int n = st.GraphPoints;
    for (size_t s = 0; s < automatic.size(); ++s) {
        if (!automatic[s] || s >= st.GraphValues.size() || s >= cat.SeriesYMax.size() ||
            s >= cat.SeriesYMin.size() || st.GraphValues[s].size() <= static_cast<size_t>(n))
            continue;
        const auto& v = st.GraphValues[s];
        // A listed step counts from zero (or its minimum) upwards; a fitted range
        // and a temperature's can be left at either end.
        const bool bothEnds = flagAt(cat.SeriesFitted, static_cast<int>(s)) ||
                              seriesKind(static_cast<int>(s)) == SeriesKind::Temperature;
        for (int i = 1; i <= n && !out[s]; ++i)
            out[s] = v[static_cast<size_t>(i)] > cat.SeriesYMax[s] ||
                     (bothEnds && v[static_cast<size_t>(i)] < cat.SeriesYMin[s]);
    }
    return out;
}

bool applyLiveScale(Context& ctx)
{
    if (applyFirstScale(ctx))
        return true;
    const GraphWindowState& window = ctx.graphWindow();
    if (!ctx.app.Measuring || window.GraphFirstScalePending || window.GraphPoints < 2)
        return false;
    const std::vector<bool> outgrown = seriesOutgrowingScale(ctx);
    if (std::none_of(outgrown.begin(), outgrown.end(), [](bool b) { return b; }))
        return false;
    growFittedScales(ctx, outgrown);
    return true;
}

} // namespace quellin
