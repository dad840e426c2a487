// The program's windows: start-up to the main window against the virtual meter
// (the one-second splash pause included), and the data list's display-cycle
// refill on a full store.

#include "BenchSupport.h"
#include "Catalogue.h"
#include "Controls.h"
#include "Doubles.h"
#include "EnglishTexts.h"
#include "MeterSim.h"
#include "TestContext.h"
#include "app/ModMain.h"
#include "app/Program.h"
#include "main/FrmMDIMain.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"
#include "views/ChildWindowHost.h"
#include "views/FrmGraph.h"
#include "views/FrmGraphParts.h"
#include "views/FrmSpread.h"
#include "views/GraphHost.h"

#include <QApplication>
#include <QMdiArea>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <optional>

namespace quellin {
namespace {

using test::control;

// Argument 1: with the English catalogue, every text looked up in it.
void BM_StartupToMainWindow(benchmark::State& state)
{
    std::optional<test::EnglishTexts> english;
    if (state.range(0) == 1 && !english.emplace().loaded()) {
        state.SkipWithError("the English catalogue did not load");
        return;
    }
    QTemporaryDir home;
    qputenv("QUELLIN_HOME", home.path().toLocal8Bit());
    test::MeterSim sim;
    if (!sim.start({"--version", "2"})) {
        state.SkipWithError("the virtual meter did not start");
        return;
    }
    qputenv("QUELLIN_COM1", sim.device().toLocal8Bit());
    test::ScriptedMessageBox msg;
    test::ScriptedFileDialog files;
    for (auto _ : state) {
        auto program =
            startProgram({QStringLiteral("quellin")}, ServiceOverrides{&msg, &files, nullptr});
        state.PauseTiming();
        program->mainWindow()->close();
        program.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    qunsetenv("QUELLIN_COM1");
}
BENCHMARK(BM_StartupToMainWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

class NoHost : public ChildWindowHost {
public:
    void setViewMark(ViewItem, bool) override {}
    bool viewMark(ViewItem) const override { return true; }
};

void BM_ListRefillOnFullStore(benchmark::State& state)
{
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, 2);
    bench::fillFullStore(
        *t.ctx, [](int i) { return 37408.0 + i / 86400.0; },
        [](int i, int c) { return 100.0 + c + i * 0.001; });
    test::props(*t.ctx).ColumnPresent.assign(18, true);
    // The writer stays open while the list reads, as during a measurement.
    t.ctx->dataSet().OpenTmpForAppend();
    NoHost host;
    FrmSpread list(*t.ctx, host);
    list.show();
    // What the display cycle does each second: the newest page, then the grid.
    for (auto _ : state) {
        LoadListPage(*t.ctx, t.ctx->dataSet().RecordCount() - 14);
        list.fillList();
        // Cells change with every page, as they do while measuring.
        test::props(*t.ctx).RecordCount =
            t.ctx->dataSet().RecordCount() == kMaxRecords ? kMaxRecords - 1 : kMaxRecords;
    }
    t.ctx->dataSet().CloseTmp();
}
BENCHMARK(BM_ListRefillOnFullStore)->Unit(benchmark::kMicrosecond);

class MeasuringGraphHost : public GraphHost {
public:
    void setGraphMenuChecked(bool) override {}
    bool measurementRunning() const override { return true; }
};

// One whole display cycle on a full store: the newest list page into the grid,
// then the graph window's refresh (window, points, redraw, summary) with a
// one-day window over every record and all fourteen series shown.
void BM_DisplayCycleOnFullStore(benchmark::State& state)
{
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, 2);
    Context& ctx = *t.ctx;
    bench::fillFullStore(
        ctx, [](int i) { return vbdate::addSeconds(37408.0, i); },
        [](int i, int c) { return 50.0 * c + 40.0 * std::sin(i / (60.0 + c)); });
    test::props(ctx).ColumnPresent.assign(18, true);
    ctx.dataSet().OpenTmpForAppend();
    test::props(ctx).FirstTime = ctx.graphWindow().GraphStart = 37408.0;
    test::props(ctx).LastTime = vbdate::addSeconds(37408.0, kMaxRecords - 1);
    ctx.app.GraphXHani = 3;
    ctx.cat.SeriesShown.assign(14, true);
    for (int s = 0; s <= 13; ++s) {
        ctx.cat.SeriesScale[static_cast<size_t>(s)] = s >= 9 ? 9 : 3;
        ctx.cat.SeriesYMax[static_cast<size_t>(s)] = 1000;
    }
    NoHost listHost;
    MeasuringGraphHost graphHost;
    QMdiArea area;
    area.resize(1600, 1000);
    area.show();
    FrmSpread list(ctx, listHost);
    area.addSubWindow(&list);
    list.show();
    FrmGraph* graph = FrmGraph::open(area, ctx, graphHost);
    graph->resize(1200, 800);
    for (auto _ : state) {
        LoadListPage(ctx, ctx.dataSet().RecordCount() - 14);
        list.fillList();
        graph->refresh();
    }
    graph->close();
    ctx.dataSet().CloseTmp();
}
BENCHMARK(BM_DisplayCycleOnFullStore)->Unit(benchmark::kMillisecond);

// One mouse move over the graph window's plot with the one-day window of a full
// store: the readout, the cursor's lines and the repaint of the plot under it.
void BM_CursorMoveOnFullStore(benchmark::State& state)
{
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, 2);
    Context& ctx = *t.ctx;
    bench::fillFullStore(
        ctx, [](int i) { return vbdate::addSeconds(37408.0, i); },
        [](int i, int c) { return 50.0 * c + 40.0 * std::sin(i / (60.0 + c)); });
    test::props(ctx).ColumnPresent.assign(18, true);
    test::props(ctx).FirstTime = ctx.graphWindow().GraphStart = 37408.0;
    test::props(ctx).LastTime = vbdate::addSeconds(37408.0, kMaxRecords - 1);
    ctx.app.GraphXHani = 3;
    ctx.cat.SeriesShown.assign(14, true);
    MeasuringGraphHost graphHost;
    QMdiArea area;
    area.resize(1600, 1000);
    area.show();
    FrmGraph* graph = FrmGraph::open(area, ctx, graphHost);
    graph->resize(1500, 900);
    graph->refresh();
    const int width = control<GraphPictureBox>(*graph, "PicGraph")->width();
    int x = 0;
    for (auto _ : state) {
        graph->showCursorAt(x);
        graph->cursorView()->repaint();
        x = (x + 7) % width;
    }
    graph->close();
}
BENCHMARK(BM_CursorMoveOnFullStore)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace quellin

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
