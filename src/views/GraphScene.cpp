#include "views/GraphScene.h"

#include "base/MeasuredItems.h"

#include <algorithm>

namespace quellin {

namespace {

template <class T> T at(const std::vector<T>& v, int i, T fallback)
{
    return (i >= 0 && static_cast<size_t>(i) < v.size()) ? v[static_cast<size_t>(i)] : fallback;
}

} // namespace

GraphScene graphScene(const GraphWindowState& window, const DataSet& data, const Catalog& cat,
                      const GraphPictures& pictures)
{
    GraphScene scene;
    scene.start = window.GraphStart;
    scene.end = window.GraphEnd;
    scene.sampleInterval = data.SampleInterval();
    scene.clockAxis = window.GraphSpan > 0;
    scene.points = window.GraphPoints;
    scene.times = window.GraphTimes;
    scene.values.reserve(window.GraphValues.size());
    for (const std::vector<double>& series : window.GraphValues)
        scene.values.emplace_back(series);
    const int last = std::clamp(cat.SeriesLast, -1, kMaxSeries - 1);
    scene.series.resize(static_cast<size_t>(last + 1));
    for (int s = 0; s <= last; ++s) {
        GraphSeriesLook& look = scene.series[static_cast<size_t>(s)];
        look.shown = flagAt(cat.SeriesShown, s);
        look.name = shownSeriesName(cat, s);
        look.unit = seriesUnitText(cat, s);
        look.ymin = at(cat.SeriesYMin, s, 0.0);
        look.ymax = at(cat.SeriesYMax, s, 0.0);
        look.scale = at(cat.SeriesScale, s, 0);
        look.fitted = flagAt(cat.SeriesFitted, s);
        look.axis = seriesAxis(cat, s);
    }
    scene.pictures = pictures;
    setPowerFactorColour(scene.pictures);
    return scene;
}

GraphScene currentGraphScene(Context& ctx, const GraphPictures& pictures)
{
    bfGraph_Abs(ctx.svc, ctx.cat, ctx.graphWindow());
    return graphScene(ctx.graphWindow(), ctx.dataSet(), ctx.cat, pictures);
}

KeptGraphScene::KeptGraphScene(const GraphScene& scene) : scene_(scene)
{
    times_.assign(scene.times.begin(), scene.times.end());
    values_.reserve(scene.values.size());
    for (const std::span<const double> series : scene.values)
        values_.emplace_back(series.begin(), series.end());
    scene_.times = times_;
    for (size_t s = 0; s < values_.size(); ++s)
        scene_.values[s] = values_[s];
}

} // namespace quellin
