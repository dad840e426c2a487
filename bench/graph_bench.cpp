// Speed of a full graph redraw into a 1600 × 900 image with all fourteen series
// shown: a one-hour window of 3,601 one-second points, and a one-day window over
// 32,767 points (two-second steps); each as the graph window redraws it (the grid,
// labels and bars from the layer kept since the last drawing) and whole (the
// first drawing, a print).
#include "BenchSupport.h"
#include "TestContext.h"
#include "catalog/ModVer.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"
#include "store/ModFileGraph.h"
#include "views/GraphColours.h"
#include "views/GraphCursor.h"
#include "views/GraphCursorPair.h"
#include "views/GraphLive.h"
#include "views/GraphScale.h"
#include "views/GraphScene.h"
#include "views/GraphZoom.h"
#include "views/ModGraph.h"
#include "views/ModGraphDraw.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChart>
#include <QGraphicsScene>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <cmath>

namespace {

using namespace quellin;

constexpr int kWidth = 1600;
constexpr int kHeight = 900;
constexpr int kBarWidth = 68;

// A version-2 catalogue with every series shown and a graph window of n points.
struct GraphFixture {
    GraphFixture(int points, int interval, long long windowSeconds)
    {
        ctx.app.HardVersion = 2;
        bfVer_NoCheck(ctx);
        auto& cat = ctx.cat;
        for (int s = 0; s <= cat.SeriesLast; ++s)
            cat.SeriesShown[static_cast<size_t>(s)] = true;
        test::props(ctx).SampleInterval = interval;
        GraphWindowState& st = ctx.graphWindow();
        st.GraphStart = 37408.0;
        st.GraphEnd = vbdate::addSeconds(st.GraphStart, windowSeconds);
        st.GraphPoints = points;
        st.GraphTimes.assign(static_cast<size_t>(points) + 1, 0.0);
        st.GraphValues.assign(14, std::vector<double>(static_cast<size_t>(points) + 1, 0.0));
        for (int i = 1; i <= points; ++i) {
            st.GraphTimes[static_cast<size_t>(i)] =
                vbdate::addSeconds(st.GraphStart, static_cast<long long>(i - 1) * interval);
            for (int s = 0; s < 14; ++s)
                st.GraphValues[static_cast<size_t>(s)][static_cast<size_t>(i)] =
                    5 + 4 * std::sin(i * 0.013 * (s + 1)) + (i % 7) * 0.05;
        }
        pictures.PicGraphBase = {QRect(0, 0, kWidth, kHeight), buttonFaceColour(), Qt::black, true};
        const int plotHeight = kHeight - 90;
        for (int s = 0; s < kMaxSeries; ++s)
            pictures.PicLeftBar[static_cast<size_t>(s)] = {
                QRect(s * kBarWidth, 6, kBarWidth, plotHeight), buttonFaceColour(),
                seriesDesignColours()[static_cast<size_t>(s)], true};
        const int plotLeft = kMaxSeries * kBarWidth;
        pictures.PicGraph = {QRect(plotLeft, 6, kWidth - plotLeft - 2, plotHeight),
                             plotDesignBackColour(), Qt::white, true};
        pictures.PicBottomBar = {
            QRect(plotLeft - 36, 6 + plotHeight + 1, kWidth - plotLeft + 70, 28),
            buttonFaceColour(), Qt::black, true};
    }

    test::TestContext t;
    Context& ctx = *t.ctx;
    GraphPictures pictures;
    QImage image{kWidth, kHeight, QImage::Format_ARGB32_Premultiplied};
};

// Each drawing as the graph window makes it: the scene of the window (with
// bfGraph_Abs), then the renderer.
void redraw(benchmark::State& state, GraphFixture& graph)
{
    for (auto _ : state) {
        const bool drawn =
            DrawGraph(currentGraphScene(graph.ctx, graph.pictures), graph.image, graph.ctx.svc);
        benchmark::DoNotOptimize(drawn);
        benchmark::DoNotOptimize(graph.image.constBits());
    }
}

void redrawOverLayer(benchmark::State& state, GraphFixture& graph)
{
    GraphLayerCache layer;
    DrawGraph(currentGraphScene(graph.ctx, graph.pictures), graph.image, layer, graph.ctx.svc);
    for (auto _ : state) {
        const bool drawn = DrawGraph(currentGraphScene(graph.ctx, graph.pictures), graph.image,
                                     layer, graph.ctx.svc);
        benchmark::DoNotOptimize(drawn);
        benchmark::DoNotOptimize(graph.image.constBits());
    }
}

void BM_RedrawOneHourWindow(benchmark::State& state)
{
    GraphFixture graph(3601, 1, 3600);
    redrawOverLayer(state, graph);
}
BENCHMARK(BM_RedrawOneHourWindow)->Unit(benchmark::kMillisecond);

void BM_RedrawOneDayWindow(benchmark::State& state)
{
    GraphFixture graph(32767, 2, 86400);
    redrawOverLayer(state, graph);
}
BENCHMARK(BM_RedrawOneDayWindow)->Unit(benchmark::kMillisecond);

void BM_RedrawOneHourWindowWhole(benchmark::State& state)
{
    GraphFixture graph(3601, 1, 3600);
    redraw(state, graph);
}
BENCHMARK(BM_RedrawOneHourWindowWhole)->Unit(benchmark::kMillisecond);

void BM_RedrawOneDayWindowWhole(benchmark::State& state)
{
    GraphFixture graph(32767, 2, 86400);
    redraw(state, graph);
}
BENCHMARK(BM_RedrawOneDayWindowWhole)->Unit(benchmark::kMillisecond);

// The cursor's readout for one mouse move over the one-day window: the sample
// position, its time and the values of all fourteen series, each to its text.
void BM_CursorReadoutOneDayWindow(benchmark::State& state)
{
    GraphFixture graph(32767, 2, 86400);
    const double width = graph.pictures.PicGraph.rect.width() * 15.0;
    // The names as the graph window keeps them for its readouts.
    const QStringList names = shownSeriesNames(graph.ctx.cat);
    double x = 0;
    for (auto _ : state) {
        const CursorReadout r =
            cursorReadout(graph.ctx.graphWindow(), graph.ctx.dataSet(), graph.ctx.cat, x, width, &names);
        benchmark::DoNotOptimize(r.readings.data());
        x = x + 137 > width ? 0 : x + 137;
    }
}
BENCHMARK(BM_CursorReadoutOneDayWindow)->Unit(benchmark::kMicrosecond);

// The fitted scales of all fourteen series over the one-day window's 32,767
// points, as the first scale of a measurement, a load or a download sets them.
void BM_FitScalesOneDayWindow(benchmark::State& state)
{
    GraphFixture graph(32767, 2, 86400);
    const std::vector<bool> all(14, true);
    for (auto _ : state) {
        fitSeriesScales(graph.ctx, all);
        benchmark::DoNotOptimize(graph.ctx.cat.SeriesYMax.data());
    }
}
BENCHMARK(BM_FitScalesOneDayWindow)->Unit(benchmark::kMicrosecond);

// One display cycle of a measurement that follows its newest record in a
// one-day window over a full store (32,767 one-second records): the window
// slides to end at the newest record, its points are read from TMP.DAT, the
// scales grow if they must and the graph is drawn. The start moves with every
// cycle, so the grid and labels are drawn anew every time.
void BM_SlideOneDayWindowFullStore(benchmark::State& state)
{
    GraphFixture graph(1, 1, 60);
    Context& ctx = graph.ctx;
    bench::fillFullStore(
        ctx, [](int i) { return vbdate::addSeconds(37408.0, i); },
        [](int i, int c) { return 200 + c + std::sin(i * 0.01) * 10; });
    ctx.app.Measuring = true;
    ctx.app.GraphXHani = 3;
    GraphWindowState& window = ctx.graphWindow();
    window.GraphFollowing = true;
    window.GraphFirstScalePending = true;
    GraphLayerCache layer;
    const double last = ctx.dataSet().LastTime();
    long long step = 0;
    for (auto _ : state) {
        // The newest record as it moved on by a second.
        test::props(ctx).LastTime = vbdate::addSeconds(last, -(step++ % 600));
        stepLiveWindow(ctx);
        LoadGraphWindow(ctx);
        applyLiveScale(ctx);
        const bool drawn =
            DrawGraph(currentGraphScene(ctx, graph.pictures), graph.image, layer, ctx.svc);
        benchmark::DoNotOptimize(drawn);
        benchmark::DoNotOptimize(graph.image.constBits());
    }
    state.counters["points"] = window.GraphPoints;
}
BENCHMARK(BM_SlideOneDayWindowFullStore)->Unit(benchmark::kMillisecond);

// A full store of one-second records (32,767, about nine hours) in a window the
// user zoomed to span seconds (0: the whole data set, the 全体 view), its points
// read once.
struct ZoomedFullStore {
    explicit ZoomedFullStore(long long span) : graph(1, 1, 60)
    {
        Context& ctx = graph.ctx;
        bench::fillFullStore(
            ctx, [](int i) { return vbdate::addSeconds(37408.0, i); },
            [](int i, int c) { return 200 + c + std::sin(i * 0.01) * 10; });
        test::props(ctx).FirstTime = 37408.0;
        test::props(ctx).LastTime = vbdate::addSeconds(37408.0, kMaxRecords - 1);
        ctx.app.GraphXHani = 2;
        const ZoomLimits limits{ctx.dataSet().FirstTime(), ctx.dataSet().LastTime(), 1};
        const TimeView view =
            span > 0 ? clampView({vbdate::addSeconds(limits.first, 3600), span}, limits)
                     : wholeView(limits);
        GraphWindowState& window = ctx.graphWindow();
        window.GraphStart = view.start;
        window.GraphSpan = view.span;
        SetGraphWindow(ctx, 0);
        LoadGraphWindow(ctx);
        fitUnchosenScales(ctx);
    }
    GraphFixture graph;
};

// A zoomed view drawn whole (its grid and labels change with every zoom).
void BM_RedrawZoomedFullStore(benchmark::State& state)
{
    ZoomedFullStore zoomed(state.range(0));
    redraw(state, zoomed.graph);
    state.counters["points"] = zoomed.graph.ctx.graphWindow().GraphPoints;
}
BENCHMARK(BM_RedrawZoomedFullStore)
    ->Arg(60)
    ->Arg(600)
    ->Arg(3600)
    ->Arg(4 * 3600)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

// One notch of the wheel to the drawn frame: the zoomed view worked out, the
// window set, its points read from TMP.DAT and the graph drawn, in and out in
// turn about a third of the width.
void BM_WheelStepFullStore(benchmark::State& state)
{
    ZoomedFullStore zoomed(4 * 3600);
    Context& ctx = zoomed.graph.ctx;
    GraphLayerCache layer;
    const ZoomLimits limits{ctx.dataSet().FirstTime(), ctx.dataSet().LastTime(), 1};
    bool in = true;
    for (auto _ : state) {
        GraphWindowState& window = ctx.graphWindow();
        const TimeView view =
            zoomAbout({window.GraphStart, window.GraphSpan}, 0.33, in ? 0.8 : 1.25, limits);
        in = !in;
        window.GraphStart = view.start;
        window.GraphSpan = view.span;
        SetGraphWindow(ctx, 0);
        LoadGraphWindow(ctx);
        const bool drawn = DrawGraph(currentGraphScene(ctx, zoomed.graph.pictures),
                                     zoomed.graph.image, layer, ctx.svc);
        benchmark::DoNotOptimize(drawn);
    }
}
BENCHMARK(BM_WheelStepFullStore)->Unit(benchmark::kMillisecond);

// The readout of two cursors over the whole full store, fourteen series: the
// values at both and the figures between them, as every redraw and mouse move
// makes it; and the energy of the records between them, read from TMP.DAT once
// when a cursor is placed.
void BM_TwoCursorReadoutFullStore(benchmark::State& state)
{
    ZoomedFullStore zoomed(0);
    Context& ctx = zoomed.graph.ctx;
    const GraphWindowState& window = ctx.graphWindow();
    const double a = vbdate::addSeconds(window.GraphStart, 100);
    const double b = vbdate::addSeconds(window.GraphEnd, -100);
    const EnergyBetween energy = energyBetween(recordsBetween(ctx.dataSet(), a, b), 1, a, b);
    for (auto _ : state) {
        const CursorPairReadout r = cursorPairReadout(window, ctx.dataSet(), ctx.cat, a, b, energy);
        benchmark::DoNotOptimize(r.lines.size());
    }
}
BENCHMARK(BM_TwoCursorReadoutFullStore)->Unit(benchmark::kMicrosecond);

void BM_CursorEnergyFullStore(benchmark::State& state)
{
    ZoomedFullStore zoomed(0);
    Context& ctx = zoomed.graph.ctx;
    const GraphWindowState& window = ctx.graphWindow();
    const double a = vbdate::addSeconds(window.GraphStart, 100);
    const double b = vbdate::addSeconds(window.GraphEnd, -100);
    for (auto _ : state) {
        const EnergyBetween e = energyBetween(recordsBetween(ctx.dataSet(), a, b), 1, a, b);
        benchmark::DoNotOptimize(e.kWh);
    }
}
BENCHMARK(BM_CursorEnergyFullStore)->Unit(benchmark::kMillisecond);

// The one-day window drawn whole with a second data set of the same size laid
// over it (比較表示): both sets' fourteen curves, the second lighter and dashed,
// as the graph window redraws it (its grid, labels and bars kept since the last
// drawing); the same without the overlay for comparison.
void BM_RedrawOneDayWindowWithOverlay(benchmark::State& state)
{
    const bool withOverlay = state.range(0) != 0;
    GraphFixture graph(32767, 2, 86400);
    GraphFixture second(32767, 2, 86400);
    for (auto& series : second.ctx.graphWindow().GraphValues)
        for (double& v : series)
            v = 10 - v;
    GraphLayerCache layer;
    for (auto _ : state) {
        bool drawn = DrawGraph(currentGraphScene(graph.ctx, graph.pictures), graph.image, layer,
                               graph.ctx.svc);
        if (withOverlay) {
            GraphScene over = currentGraphScene(second.ctx, graph.pictures);
            over.overlay = true;
            drawn = DrawGraphCurves(over, graph.image, graph.ctx.svc) && drawn;
        }
        benchmark::DoNotOptimize(drawn);
        benchmark::DoNotOptimize(graph.image.constBits());
    }
}
BENCHMARK(BM_RedrawOneDayWindowWithOverlay)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The same one-day window as BM_RedrawOneDayWindowWhole (fourteen series of
// 32,767 points, 1600 × 900) drawn with Qt Charts, one QLineSeries per series,
// rendered offscreen into an image: the ratio to the renderer's own drawing.
void BM_QtChartsOneDayWindow(benchmark::State& state)
{
    GraphFixture graph(32767, 2, 86400);
    const GraphWindowState& st = graph.ctx.graphWindow();
    QChart chart;
    chart.legend()->hide();
    chart.setAnimationOptions(QChart::NoAnimation);
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    x->setRange(0, 86400);
    y->setRange(0, 10);
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);
    for (int s = 0; s < 14; ++s) {
        auto* series = new QLineSeries;
        QList<QPointF> points;
        points.reserve(st.GraphPoints);
        for (int i = 1; i <= st.GraphPoints; ++i)
            points.append(QPointF(
                vbdate::secondsBetween(st.GraphStart, st.GraphTimes[static_cast<size_t>(i)]),
                st.GraphValues[static_cast<size_t>(s)][static_cast<size_t>(i)]));
        series->replace(points);
        chart.addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    QGraphicsScene scene;
    scene.addItem(&chart);
    chart.setGeometry(0, 0, kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&image);
        scene.render(&p, QRectF(0, 0, kWidth, kHeight), QRectF(0, 0, kWidth, kHeight));
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    scene.removeItem(&chart);
}
BENCHMARK(BM_QtChartsOneDayWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
