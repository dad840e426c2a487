#include "main/LoadedGraph.h"

#include "main/MeasurementRun.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"
#include "store/ModFileGraph.h"
#include "views/GraphLive.h"
#include "views/GraphScale.h"

#include <algorithm>

namespace quellin {

namespace {

// Two or three points are no curve; four steps show its shape.
constexpr long long kFewestWindowSteps = 4;
constexpr int kWidestGraphXHani = 3;

} // namespace

int graphXHaniForData(int sampleInterval, long long extentSeconds)
{
    const long long period = std::max(sampleInterval, 1);
    int hani = graphXHaniFor(sampleInterval);
    while (hani < kWidestGraphXHani && graphStepSeconds(hani) / period < kFewestWindowSteps &&
           extentSeconds > graphStepSeconds(hani))
        ++hani;
    return hani;
}

void fitGraphToLoadedData(Context& ctx)
{
    const DataSet& data = ctx.dataSet();
    ctx.app.GraphXHani = graphXHaniForData(
        data.SampleInterval(), vbdate::secondsBetween(data.FirstTime(), data.LastTime()));
    GraphWindowState& window = ctx.graphWindow();
    window.GraphStart = data.FirstTime();
    window.GraphSpan = 0;
    window.GraphFirstScalePending = false;
    SetGraphWindow(ctx, 0);
    LoadGraphWindow(ctx);
    fitUnchosenScales(ctx);
}

} // namespace quellin
