#include "views/GraphLive.h"

#include "base/MeasuredItems.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"
#include "views/GraphScale.h"

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

int followSteps(double graphEnd, double newest, int graphXHani)
{
    const long long step = graphStepSeconds(graphXHani);
    const long long behind = vbdate::secondsBetween(graphEnd, newest);
    if (step <= 0 || behind <= 0)
        return 0;
    const long long steps = (behind + step - 1) / step;
    return static_cast<int>(std::min<long long>(steps, std::numeric_limits<int>::max()));
}

bool followsAfterPaging(double graphEnd, double newest)
{
    return vbdate::secondsBetween(graphEnd, newest) <= 0;
}

void stepLiveWindow(Context& ctx)
{
    StoreGlobals& st = ctx.store;
    const int steps = ctx.app.Measuring && st.GraphFollowing
                          ? followSteps(st.GraphEnd, st.LastTime, ctx.app.GraphXHani)
                          : 0;
    // SetGraphWindow moves on only while the new start is at or before the newest
    // record, which the fewest steps past the window end always are.
    SetGraphWindow(ctx, steps);
}

void pageGraphWindow(Context& ctx, int direction)
{
    SetGraphWindow(ctx, direction < 0 ? -1 : 1);
    ctx.store.GraphFollowing = followsAfterPaging(ctx.store.GraphEnd, ctx.store.LastTime);
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
    if (!firstScaleDue(ctx.store.GraphFirstScalePending, ctx.store.GraphPoints))
        return false;
    ctx.store.GraphFirstScalePending = false;
    GraphAutoScale(ctx, seriesForFirstScale(ctx.cat));
    return true;
}

} // namespace quellin
